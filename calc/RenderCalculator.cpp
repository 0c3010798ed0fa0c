#include "RenderCalculator.h"

#include <cmath>
#include <limits>

#include "FrameStep.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int64_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int64_t kIntMax = std::numeric_limits<int32_t>::max();

// Counts are worked out in 64 bits, where every truncated quotient of a 32-bit
// width by the pitch is exact, and only then fitted into the 32-bit record.
// Quotients are first held within +-2^53 so that the sums below cannot
// overflow even for odd scene constants; NaN has no count and lands low.
int64_t TruncWide(double value) {
  constexpr double kLimit = 9007199254740992.0;  // 2^53
  if (std::isnan(value) || value < -kLimit) return -static_cast<int64_t>(kLimit);
  if (value > kLimit) return static_cast<int64_t>(kLimit);
  return static_cast<int64_t>(std::trunc(value));
}

int32_t Saturate(int64_t value) {
  if (value < kIntMin) return static_cast<int32_t>(kIntMin);
  if (value > kIntMax) return static_cast<int32_t>(kIntMax);
  return static_cast<int32_t>(value);
}

}  // namespace

RenderResult CalculateRendering(const RenderSetup& setup) {
  const double W = setup.nWidthMm;
  const double H = setup.nHeightMm;
  const double p = setup.dPixelPitchMm;
  const double D = setup.dCameraDistanceMm;
  const double T = setup.dTrackLengthMm;

  RenderResult r;
  const double den = (W * D) / (T + W);
  const double ratio = (W * 0.5) / den;
  const double half = std::atan(ratio) * 180.0 / kPi;
  r.dFovDeg = half * 2;

  const int64_t height = TruncWide(H / p);
  const int64_t span = TruncWide((T + W) / p);
  const int64_t w = TruncWide(W / p);
  const int64_t frames = span - w;
  r.nHeightPx = Saturate(height);
  r.nSpanPx = Saturate(span);
  for (FrameStep step : FrameStep::All()) step.FramesIn(r) = Saturate(frames / step.Number());
  r.nHologramPx = Saturate(w);
  // A step of s needs the hologram's width plus the camera's travel over its
  // n frames, s·(n − 1) columns; every frame keeps the whole span, a column more.
  const int64_t s = FrameStep(setup.nMode).Number();
  r.nWidthPx = Saturate(s == 1 ? span : w + s * (frames / s) - s);

  if (setup.nWidthMm > setup.nHeightMm) r.eAspect = Aspect::Landscape;
  else if (setup.nWidthMm == setup.nHeightMm) r.eAspect = Aspect::Square;
  else r.eAspect = Aspect::Portrait;
  return r;
}
