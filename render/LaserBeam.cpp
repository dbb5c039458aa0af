#include "render/LaserBeam.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
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

namespace {

struct BeamStep {
  Extended alongX, y, z;  // the step where the field adds nothing; it adds 0 to 1 along x
  Extended farField;      // the squared distance from the centre beyond which it adds nothing at all
};

Extended Dot(const BeamPoint& p, Extended x, Extended y, Extended z) { return p.x * x + p.y * y + p.z * z; }

// Every step lies between v0 = step (f = 0) and v1 = step + (1, 0, 0) (f = 1),
// and v0·v0, v0·v1 = 1 + alongX and v1·v1 are never negative, so no step
// undoes another's progress along v0 or v1: once P·v0 and P·v1 reach
// reach·|v|, they only grow, and so does |P|.
bool MovesAwayWhateverTheField(const BeamPoint& p, const BeamStep& s, Extended reach) {
  const Extended length1 = std::sqrt((1 + s.alongX) * (1 + s.alongX) + s.y * s.y + s.z * s.z);
  return Dot(p, s.alongX, s.y, s.z) >= reach * std::sqrt(s.alongX * s.alongX + s.y * s.y + s.z * s.z) &&
         Dot(p, 1 + s.alongX, s.y, s.z) >= reach * length1;
}

// Beyond the far field every step is exactly v0, so the photon moves against
// the centre (which advances one unit along x a step) by the fixed w = v0 −
// (1, 0, 0). If it already moves away from the centre along w, it stays in
// the far field for good, and with P·v0 at least reach·|v0| it moves away
// from the camera for good too.
bool MovesAwayInTheFarField(const BeamPoint& p, std::int64_t nextStep, const BeamStep& s, Extended reach) {
  const BeamPoint fromCentre{p.x - static_cast<Extended>(nextStep), p.y, p.z};
  const Extended rs2 = Dot(fromCentre, fromCentre.x, fromCentre.y, fromCentre.z);
  return rs2 > s.farField && Dot(fromCentre, s.alongX - 1, s.y, s.z) >= 0 &&
         Dot(p, s.alongX, s.y, s.z) >= reach * std::sqrt(s.alongX * s.alongX + s.y * s.y + s.z * s.z);
}

// Beyond hiddenRadius nothing reaches a pixel, and a photon moving away from
// every point within cameraReach of the origin never comes back.
bool OutOfSightForGood(const BeamPoint& p, std::int64_t nextStep, const BeamStep& s, const BeamBudget& budget) {
  if (!(Dot(p, p.x, p.y, p.z) > budget.hiddenRadius * budget.hiddenRadius)) return false;
  return MovesAwayInTheFarField(p, nextStep, s, budget.cameraReach) ||
         MovesAwayWhateverTheField(p, s, budget.cameraReach);
}

}  // namespace

std::int64_t DrawLaserBeam(IDirect3DDevice8& device, const BeamStart& start, Extended bubblePosition,
                           const BeamBudget& budget) {
  const std::int32_t last = BeamLastStep(bubblePosition);
  if (last < 0) return 0;
  const std::int64_t length = std::int64_t{last} + 1;
  const bool bounded = length > budget.segments;  // a path that fits is drawn whole, call for call
  const Extended cosAlpha = std::cos(static_cast<Extended>(start.alpha));
  const Extended sinAlpha = std::sin(static_cast<Extended>(start.alpha));
  const Extended cosBeta = std::cos(static_cast<Extended>(start.beta));
  const Extended sinBeta = std::sin(static_cast<Extended>(start.beta));
  const Extended c = std::sqrt(cosAlpha * cosBeta * (cosAlpha * cosBeta) + 0);  // |cos α · cos β|
  const Extended alongX = BeamDirectionSign(start.alpha, start.beta) * c;
  const Extended stepY = sinAlpha * cosBeta;  // the step (±c, sin α cos β, sin β) has length 1
  const Extended farField = FarField(alongX), insideBubble = kInsideBubble;
  const std::int64_t drawable = bounded ? std::max<std::int64_t>(budget.segments, 0) : length;
  BeamPoint p{static_cast<Extended>(start.x), static_cast<Extended>(start.y), static_cast<Extended>(start.z)};
  stretch[0] = BeamVertex(p);
  for (std::int64_t step = 0; step < drawable;) {
    const std::size_t count = static_cast<std::size_t>(std::min<std::int64_t>(kStretch, drawable - step));
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
    if (bounded && OutOfSightForGood(p, step, {alongX, stepY, sinBeta, farField}, budget)) return 0;
  }
  return length - drawable;
}
