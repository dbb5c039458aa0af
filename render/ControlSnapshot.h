#pragma once
// A FrameWindow made of plain values, starting from the window's design
// defaults: a 503 × 453 view panel and a full stop as decimal separator.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "render/FrameWindow.h"

constexpr int kFrameSliderCount = 3;
constexpr int kFrameFieldCount = 14;

// The design name of a control ("ScrollBar1", "XStep", ...).
const char* ControlName(FrameSlider slider);
const char* ControlName(FrameField field);
int DefaultPosition(FrameSlider slider);
const char* DefaultText(FrameField field);
std::optional<FrameSlider> FindSlider(std::string_view name);
std::optional<FrameField> FindField(std::string_view name);

class ControlSnapshot final : public FrameWindow {
 public:
  ControlSnapshot();

  int SliderPosition(FrameSlider slider) const override;
  std::string FieldText(FrameField field) const override;
  int PanelWidth() const override { return panelWidth; }
  int PanelHeight() const override { return panelHeight; }
  std::string DecimalSeparator() const override { return decimalSeparator; }
  void SetFrameRateCaption(const std::string& text) override { caption = text; }

  void SetSlider(FrameSlider slider, int position);
  void SetField(FrameField field, std::string text);

  int panelWidth = 503;
  int panelHeight = 453;
  std::string decimalSeparator = ".";
  std::string caption = "FPS";  // Label8's text until a frame completes

 private:
  std::array<int, kFrameSliderCount> positions_{};
  std::array<std::string, kFrameFieldCount> texts_;
};
