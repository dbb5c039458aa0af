// The OpenGL device's cost per frame, and where it goes: drawing the
// renderer's segments, reading the picture back for the panel, painting it.
// Whole frames run the program's path and, in the same run, the plain one it
// replaced: the straightforward surface with every segment drawn by its own
// call. Needs a display with OpenGL: run it under xvfb-run where there is none.
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/tessaran_gl_bench
//
// with --benchmark_repetitions=5 --benchmark_report_aggregates_only=true for medians.

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <stdexcept>

#include "PageFaults.h"
#include "app/MemoryAllocator.h"
#include "ReferenceSurface.h"
#include "ResidentSize.h"

#include "d3d/DeviceSetup.h"
#include "d3d/Direct3DLoader.h"
#include "d3d/GlDevice.h"
#include "d3d/GlDirect3D8.h"
#include "d3d/GlPanelView.h"
#include "render/ControlSnapshot.h"
#include "render/LineVertex.h"
#include "render/RenderFrame.h"
#include "render/WarpSurface.h"

namespace {

class WidgetPanel final : public DevicePanel {
 public:
  explicit WidgetPanel(QWidget& widget) : widget_(widget) {}
  HWND NativeWindow() override { return static_cast<QWidget*>(&widget_); }
  UINT Width() const override { return static_cast<UINT>(widget_.width()); }
  UINT Height() const override { return static_cast<UINT>(widget_.height()); }

 private:
  QWidget& widget_;
};

// The device on a shown 503 × 453 panel, the window's default, for one benchmark.
class GlBench {
 public:
  GlBench() {
    panel_.resize(503, 453);
    panel_.show();
    SetDirect3DCreateFunction(CreateOpenGLDirect3D8);
    WidgetPanel devicePanel(panel_);
    SetupDevice(devicePanel);
    device_ = dynamic_cast<GlDevice*>(Device);
  }
  ~GlBench() {
    ReleaseDevice();
    SetDirect3DCreateFunction({});
  }
  GlBench(const GlBench&) = delete;
  GlBench& operator=(const GlBench&) = delete;

  GlDevice& device() { return *device_; }
  QWidget& panel() { return panel_; }

 private:
  QWidget panel_;
  GlDevice* device_ = nullptr;
};

enum class FramePath { Program, Reference };

struct FrameScene {
  int verticalAngle;  // ScrollBar1
  Extended bubblePosition;
};

const FrameScene kDefaults{DefaultPosition(FrameSlider::ScrollBar1), 0};

// Whole frames presented and painted, waiting each time for the picture:
// Present reads it back, which waits for the drawing to finish.
void BM_GlFrame(benchmark::State& state, FrameScene scene, FramePath path) {
  try {
    GlBench bench;
    ControlSnapshot window;
    window.SetSlider(FrameSlider::ScrollBar1, scene.verticalAngle);
    const bool reference = path == FramePath::Reference;
    bench.device().SetGathering(!reference);
    SurfaceStage surface = DrawSurfaceGrid;
    if (reference) surface = DrawSurfaceGridReference;
    SteadyFrameClock clock;
    const auto frame = [&] {
      RenderFrame(bench.device(), DisplayMode, scene.bubblePosition, window, clock, surface);
      QApplication::processEvents();  // the panel paints what was presented
    };
    frame();  // the first frame sizes what is kept
    const std::optional<long> faults = MinorPageFaults();
    for (auto _ : state) frame();
    ReportFaultsPerFrame(state, faults);
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}
BENCHMARK_CAPTURE(BM_GlFrame, Defaults, kDefaults, FramePath::Program)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GlFrame, DefaultsReference, kDefaults, FramePath::Reference)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GlFrame, TopDown, FrameScene{180, 0}, FramePath::Program)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GlFrame, TopDownReference, FrameScene{180, 0}, FramePath::Reference)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GlFrame, Beam5000, FrameScene{kDefaults.verticalAngle, 5000}, FramePath::Program)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GlFrame, Beam5000Reference, FrameScene{kDefaults.verticalAngle, 5000}, FramePath::Reference)
    ->Unit(benchmark::kMillisecond);

// 10,000 default frames after a first one: the resident size should not
// grow, neither over the whole run nor over its last 9,000 frames.
void BM_GlFrameResidentGrowth(benchmark::State& state) {
  try {
    GlBench bench;
    ControlSnapshot window;
    SteadyFrameClock clock;
    const auto frame = [&] {
      RenderFrame(bench.device(), DisplayMode, 0, window, clock);
      QApplication::processEvents();
    };
    frame();
    const std::optional<std::size_t> first = ResidentSizeBytes();
    std::optional<std::size_t> thousandth;
    std::int64_t frames = 1;
    for (auto _ : state) {
      frame();
      if (++frames == 1000) thousandth = ResidentSizeBytes();
    }
    const std::optional<std::size_t> last = ResidentSizeBytes();
    if (!first || !thousandth || !last) return state.SkipWithError("no resident size here, or too few frames");
    const auto kib = [](std::size_t to, std::size_t from) {
      return (static_cast<double>(to) - static_cast<double>(from)) / 1024;
    };
    state.counters["resident_MiB"] = static_cast<double>(*last) / (1 << 20);
    state.counters["growth_KiB"] = kib(*last, *first);
    state.counters["last9000_growth_KiB"] = kib(*last, *thousandth);
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}
BENCHMARK(BM_GlFrameResidentGrowth)->Iterations(10000)->Repetitions(1)->Unit(benchmark::kMillisecond);

// The same 20,200 segments when each reaches the driver as its own draw
// call, as they would without gathering: a state change between segments
// forces one draw per segment.
void BM_GlSegmentsOneDrawEach(benchmark::State& state) {
  try {
    GlBench bench;
    GlDevice& device = bench.device();
    const LineVertex from{-50, 0, 100, kSurfaceRed, kSpecularWhite};
    const LineVertex to{50, 0, 100, kSurfaceBlue, kSpecularWhite};
    const SegmentPair pair{from, to};
    device.SetVertexShader(kLineVertexFormat);
    for (auto _ : state) {
      device.BeginScene();
      for (int i = 0; i < 20200; ++i) {
        device.SetRenderState(D3DRS_FOGCOLOR, 0);
        device.DrawPrimitiveUP(D3DPT_LINELIST, 1, pair.data(), kLineVertexStride);
      }
      device.EndScene();
      benchmark::DoNotOptimize(device.ReadBackBuffer());
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}
BENCHMARK(BM_GlSegmentsOneDrawEach)->Unit(benchmark::kMillisecond);

// Reading the back buffer into an image: what presenting adds to a frame.
void BM_GlReadBack(benchmark::State& state) {
  try {
    GlBench bench;
    for (auto _ : state) benchmark::DoNotOptimize(bench.device().ReadBackBuffer());
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}
BENCHMARK(BM_GlReadBack)->Unit(benchmark::kMicrosecond);

// Painting a presented picture over the panel, at the back buffer's size
// and stretched to a maximised panel's.
void BM_PanelPaint(benchmark::State& state) {
  try {
    GlBench bench;
    auto* view = bench.panel().findChild<GlPanelView*>();
    view->Show(bench.device().ReadBackBuffer());
    bench.panel().resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    QImage target(view->size(), QImage::Format_RGB32);
    for (auto _ : state) view->render(&target);
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}
BENCHMARK(BM_PanelPaint)->Args({503, 453})->Args({1600, 1000})->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  SetUpMemoryAllocator();
  benchmark::Initialize(&argc, argv);
  QApplication application(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
