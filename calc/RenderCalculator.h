#pragma once
// The rendering calculator: from a hologram's size and a frame step, what the
// virtual camera and the rendered image sequence must be. No window code here;
// it builds for the host as well as for Windows.

#include <cstdint>

// The frame step, the calculator's published name for it; FrameStep gives
// each its number, its words and its frame count.
enum RenderMode : int32_t {
  RenderEveryFrame = 0,
  RenderEvery2ndFrame = 1,
  RenderEvery4thFrame = 2,
  RenderEvery8thFrame = 3,
};

enum class Aspect : int32_t { Landscape, Square, Portrait };

struct RenderSetup {
  int32_t nWidthMm = 0;
  int32_t nHeightMm = 0;
  double dPixelPitchMm = 0.1;
  double dCameraDistanceMm = 300.0;
  double dTrackLengthMm = 200.0;
  RenderMode nMode = RenderEveryFrame;
};

// A pixel or frame count that does not fit in 32 bits is held at the nearest
// end of the int32 range; the window's texts show such an end as a marker, also
// for a count that lands there exactly, which the record cannot tell apart.
struct RenderResult {
  double dFovDeg = 0;
  int32_t nSpanPx = 0;
  int32_t nHeightPx = 0;
  int32_t nWidthPx = 0;
  int32_t nFrames = 0;
  int32_t nFrames2 = 0;
  int32_t nFrames4 = 0;
  int32_t nFrames8 = 0;
  Aspect eAspect = Aspect::Square;
  int32_t nHologramPx = 0;  // the hologram's own width, W / p truncated
};

RenderResult CalculateRendering(const RenderSetup& setup);
