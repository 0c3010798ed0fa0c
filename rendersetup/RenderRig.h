#pragma once
// The camera rig that renders a hologram's image sequence: where the camera
// stands at every frame, which lens it has on a 36 mm film back, what each
// image shows and how big the whole render is. Built from the calculator's
// record, so every count agrees with the window. No window code here.
//
// Axes. The rig's: x along the track, to the right as the camera looks at the
// hologram; y up; z out of the image plane towards the camera. The hologram
// lies in z = 0, centred on the origin. Blender's, as the script builds the
// scene: X = x, Y = -z, Z = y, so the camera stands at Y = -D looking along +Y
// with Blender's Z up. Millimetres in both.
//
// The linear model every format writes: at frame k (1..frame count) the
// camera's x and its lens shift are both a + b·(k − 1), with a and b the
// rig's first value and per-frame increment. Blender's drivers, the CSV and
// the JSON all use these same a and b.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "FrameStep.h"
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
  FrameStep step = RenderEveryFrame;
  int32_t nImageWidthPx = 0;
  int32_t nImageHeightPx = 0;
  int32_t nFrameCount = 0;
  double dXFirstMm = 0;        // a and b of the camera's x
  double dCameraStepMm = 0;
  double dShiftFirst = 0;      // a and b of the lens shift, in image widths
  double dShiftPerFrame = 0;
  double dFilmBackWidthMm = 36.0;
  double dFilmBackHeightMm = 0;
  double dFocalLengthMm = 0;
  double dLensFovDeg = 0;      // horizontal; result.dFovDeg is the window's, centred at step 1
  double dVerticalFovDeg = 0;
  uint64_t nBudgetPixels = 0;
  uint64_t nBudgetBytesRgb8 = 0;

  FramePose Frame(int32_t nFrame) const;
};

// Throws RigError when the setup has no renderable rig.
RenderRig MakeRenderRig(const RenderSetup& setup, Framing framing);
