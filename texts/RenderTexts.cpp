#include "RenderTexts.h"

#include "FrameStep.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, format, args...);
  return n < 0 ? std::string() : std::string(buffer, static_cast<size_t>(n));
}

// The record holds a count past 32 bits at the nearest end of the range.
std::string FormatCount(int32_t count, const char* format) {
  if (count == std::numeric_limits<int32_t>::max()) return "too large";
  if (count == std::numeric_limits<int32_t>::min()) return "too small";
  return Format(format, count);
}

}  // namespace

std::string FormatDegrees(double degrees) {
  if (!std::isfinite(degrees)) return "n/a";
  return Format("%.3f \u00B0", degrees);
}

std::string FormatPixels(int32_t pixels) { return FormatCount(pixels, "%d px"); }

std::string FormatFrames(int32_t frames) { return FormatCount(frames, "%d frames"); }

std::string FormatMillimetres(double millimetres) {
  if (!std::isfinite(millimetres) || std::fabs(millimetres) >= 1e15) return "n/a";
  return Format("%.0f mm", millimetres);
}

RenderTexts FormatRenderTexts(const RenderSetup& setup, const RenderResult& result) {
  const double T = setup.dTrackLengthMm;
  RenderTexts t;
  t.strFov = FormatDegrees(result.dFovDeg);
  t.strImageHeight = FormatPixels(result.nHeightPx);
  t.strImageWidth = FormatPixels(result.nWidthPx);
  for (FrameStep step : FrameStep::All()) t.strFrames[step.Mode()] = FormatFrames(step.FramesIn(result));
  t.strTrackLength = FormatMillimetres(T);
  t.strTrackStart = FormatMillimetres(T * -1.0 * 0.5);
  t.strTrackEnd = FormatMillimetres(T * 0.5);
  t.strDistance = FormatMillimetres(setup.dCameraDistanceMm);
  return t;
}
