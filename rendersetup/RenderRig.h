#pragma once
// The camera rig that renders a hologram's image sequence: where the camera
// stands at every frame, which lens it has on a 36 mm film back, what each
// image shows and how big the whole render is. Built from the calculator's
// record, so every count agrees with the window. No window code here.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "RenderCalculator.h"

// wide: the calculator's own images, the hologram sliding across each one.
// recentred: each image holds only the hologram, the frustum shifted per frame.
enum class Framing { Wide, Recentred };

// A setup the rig cannot be built for (a count past 32 bits, say). what() is
// one line a user can act on.
class RigError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One frame's camera: on the track at height 0, D in front of the image
// plane, looking straight at it. The shift is in image widths.
struct FramePose {
  int32_t nFrame = 0;  // 1..frame count
  double dXMm = 0;
  double dYMm = 0;
  double dZMm = 0;
  double dShiftX = 0;
  int32_t nHologramFirstPx = 0;  // first and last pixel column the hologram covers
  int32_t nHologramLastPx = 0;
};

struct RenderRig {
  RenderSetup setup;
  RenderResult result;
  Framing eFraming = Framing::Wide;
  int32_t nStep = 1;  // 1, 2, 4 or 8
  int32_t nImageWidthPx = 0;
  int32_t nImageHeightPx = 0;
  int32_t nFrameCount = 0;
  double dCameraStepMm = 0;
  double dFilmBackWidthMm = 36.0;
  double dFilmBackHeightMm = 0;
  double dFocalLengthMm = 0;
  double dVerticalFovDeg = 0;
  uint64_t nBudgetPixels = 0;
  uint64_t nBudgetBytesRgb8 = 0;

  FramePose Frame(int32_t nFrame) const;
};

// Throws RigError when the setup has no renderable rig.
RenderRig MakeRenderRig(const RenderSetup& setup, Framing framing);

// The frame step in words, as the window and the files say it: "every frame",
// "every 2nd frame", "every 4th frame" or "every 8th frame".
const char* StepWords(RenderMode mode);
