#include "render/LaserBeam.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "render/WarpSurface.h"

namespace {

struct BeamPoint {
  Extended x, y, z;
};

LineVertex BeamVertex(const BeamPoint& point) {
  return {static_cast<float>(point.x), static_cast<float>(point.y), static_cast<float>(point.z), kBeamColor,
          kSpecularWhite};
}

// The path is worked out a stretch at a time and then handed to the device
// segment by segment, straight from this buffer: consecutive vertices are the
// two ends of one segment. Working without a call in between keeps the
// extended-precision point in registers; the buffer is fixed, so a path of
// any length allocates nothing. Used from the UI thread only.
constexpr std::size_t kStretch = 4096;
std::array<LineVertex, kStretch + 1> stretch;

}  // namespace

std::int32_t BeamLastStep(Extended bubblePosition) {
  constexpr Extended kTwoTo63 = 9223372036854775808.0L;
  const Extended rounded = std::nearbyint(bubblePosition);  // the default mode rounds halves to even
  std::int64_t wide = std::numeric_limits<std::int64_t>::min();  // the integer-indefinite value
  if (rounded >= -kTwoTo63 && rounded < kTwoTo63) wide = static_cast<std::int64_t>(rounded);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
}

int BeamDirectionSign(float alpha, float beta) {
  const Extended halfPi = kPiExtended / 2;
  const Extended a = alpha, b = beta;
  const bool equal = !(halfPi < a) && !(halfPi > a) && !(halfPi < b) && !(halfPi > b) && !std::isnan(a) &&
                     !std::isnan(b);
  return equal ? 1 : -1;
}

constexpr int kSignificandBits = std::numeric_limits<Extended>::digits;  // 64 for the x86 extended type

// The squared distance from the bubble centre inside which the shape value is
// exactly 1: there P = (rs/50)^102 < 2^-(bits + 8), far below half an ulp of
// 1, so 1 + P rounds to 1 (rs below about 30.6 with 64 bits).
const Extended kInsideBubble = [] {
  const Extended rs = kBubbleRadius * std::pow(2.0L, -(kSignificandBits + 8.0L) / kShapeExponent);
  return rs * rs;
}();

// Beyond this squared distance f = 1/(1 + P) is below |alongX| · 2^-(bits + 2),
// less than half an ulp of alongX, so f + alongX is alongX itself: P exceeds
// 2^(bits + 3) / |alongX|. Infinite (never skipped) when alongX is 0.
Extended FarField(Extended alongX) {
  const Extended bound =
      std::pow(std::ldexp(Extended(1), kSignificandBits + 3) / std::fabs(alongX), 2.0L / kShapeExponent);
  return kBubbleRadius * kBubbleRadius * bound;
}

void DrawLaserBeam(IDirect3DDevice8& device, const BeamStart& start, Extended bubblePosition) {
  const std::int32_t last = BeamLastStep(bubblePosition);
  if (last < 0) return;
  const Extended cosAlpha = std::cos(static_cast<Extended>(start.alpha));
  const Extended sinAlpha = std::sin(static_cast<Extended>(start.alpha));
  const Extended cosBeta = std::cos(static_cast<Extended>(start.beta));
  const Extended sinBeta = std::sin(static_cast<Extended>(start.beta));
  const Extended c = std::sqrt(cosAlpha * cosBeta * (cosAlpha * cosBeta) + 0);  // |cos α · cos β|
  const Extended alongX = BeamDirectionSign(start.alpha, start.beta) * c;
  const Extended stepY = sinAlpha * cosBeta;  // the step (±c, sin α cos β, sin β) has length 1
  const Extended farField = FarField(alongX), insideBubble = kInsideBubble;
  BeamPoint p{static_cast<Extended>(start.x), static_cast<Extended>(start.y), static_cast<Extended>(start.z)};
  stretch[0] = BeamVertex(p);
  for (std::int64_t step = 0; step <= last;) {
    const std::size_t count = static_cast<std::size_t>(std::min<std::int64_t>(kStretch, last - step + 1));
    for (std::size_t k = 1; k <= count; ++k, ++step) {
      const Extended toCentre = p.x - static_cast<Extended>(step);  // the centre stands at (L, 0, 0) in step L
      const Extended rs2 = toCentre * toCentre + p.y * p.y + p.z * p.z;
      Extended alongStep = alongX;  // far away the field adds nothing that survives rounding
      if (rs2 < insideBubble) alongStep = 1 + alongX;
      else if (!(rs2 > farField)) alongStep = WarpShape(std::sqrt(rs2)) + alongX;
      p = {p.x + alongStep, p.y + stepY, p.z + sinBeta};  // carried on unrounded
      stretch[k] = BeamVertex(p);
    }
    for (std::size_t k = 0; k < count; ++k) device.DrawPrimitiveUP(D3DPT_LINELIST, 1, &stretch[k], kLineVertexStride);
    stretch[0] = stretch[count];  // the next stretch starts where this one ends
  }
}
