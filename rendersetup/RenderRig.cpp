#include "RenderRig.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kFilmBackWidthMm = 36.0;
constexpr double kTrackHeightMm = 0.0;  // level with the hologram's centre
constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();

void RequirePositive(double value, const char* what) {
  if (!(std::isfinite(value) && value > 0)) {
    throw RigError(std::string("the ") + what + " must be a positive number of millimetres");
  }
}

std::string Number(double value) {
  char buffer[400];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed).ptr);
}

// The calculator holds a count that does not fit in 32 bits at an end of the
// range; no rig can be built from it. The message names the input to change,
// and is only worded when it is needed: the window builds a rig per keystroke.
template <class TooLarge>
void RequireCount(int32_t count, TooLarge tooLarge, const char* tooSmall) {
  if (count == kIntMax || count == kIntMin) throw RigError(tooLarge());
  if (count <= 0) throw RigError(tooSmall);
}

void RequireCounts(const RenderSetup& s, const RenderResult& r) {
  const auto pitch = [&] { return " at " + Number(s.dPixelPitchMm) + " mm per pixel"; };
  const auto wide = [&] {
    return "the width " + std::to_string(s.nWidthMm) + " mm is too large: the image would be 2147483647 px or more wide" +
           pitch() + " with a " + Number(s.dTrackLengthMm) + " mm track";
  };
  RequireCount(
      r.nHeightPx,
      [&] {
        return "the height " + std::to_string(s.nHeightMm) + " mm is too large: the image would be 2147483647 px or more high" +
               pitch();
      },
      "the hologram is lower than one pixel at this pitch");
  RequireCount(
      r.nFrames, [&] { return "the track " + Number(s.dTrackLengthMm) + " mm is too long: 2147483647 frames or more" + pitch(); },
      "the track is shorter than one pixel pitch: there is no frame to render");
  RequireCount(r.nSpanPx, wide, "the image is narrower than one pixel");
  RequireCount(r.nWidthPx, wide, "the image is narrower than one pixel");
  RequireCount(r.nHologramPx, wide, "the hologram is narrower than one pixel at this pitch");
}

void Validate(const RenderSetup& setup) {
  if (setup.nWidthMm < 1) throw RigError("the hologram's width must be at least 1 mm");
  if (setup.nHeightMm < 1) throw RigError("the hologram's height must be at least 1 mm");
  RequirePositive(setup.dPixelPitchMm, "pixel pitch");
  RequirePositive(setup.dCameraDistanceMm, "camera distance");
  RequirePositive(setup.dTrackLengthMm, "track length");
  if (FrameStep(setup.nMode).Mode() != setup.nMode) {
    throw RigError("the frame step " + std::to_string(setup.nMode) + " is not one the calculator knows");
  }
}

uint64_t MultiplyOrThrow(uint64_t a, uint64_t b) {
  uint64_t product = 0;
  if (__builtin_mul_overflow(a, b, &product)) {
    throw RigError("the render would have more than 2^64 pixels; choose a smaller hologram or a coarser pitch");
  }
  return product;
}

}  // namespace

RenderRig MakeRenderRig(const RenderSetup& setup, Framing framing) {
  Validate(setup);
  RenderRig rig;
  rig.setup = setup;
  rig.result = CalculateRendering(setup);
  rig.eFraming = framing;
  rig.step = setup.nMode;

  const RenderResult& r = rig.result;
  RequireCounts(setup, r);
  rig.nFrameCount = rig.step.FramesIn(r);
  if (rig.nFrameCount < 1) throw RigError("the track holds no frame at this step: choose a smaller step");

  const double p = setup.dPixelPitchMm;
  const int32_t s = rig.step.Number();
  rig.nImageWidthPx = framing == Framing::Wide ? r.nWidthPx : r.nHologramPx;
  rig.nImageHeightPx = r.nHeightPx;
  rig.dXFirstMm = setup.dTrackLengthMm * -0.5;
  rig.dCameraStepMm = p * s;
  // Wide: at step 1 the calculator's image has one column to spare, so the
  // last frame starts at column 1. Above step 1 the image is s columns short
  // of a frustum centred on the camera, so the frustum shifts s/2 pixels right
  // to keep the image's right edge on the hologram's right edge in frame 1;
  // the last frame then starts at column 0. Recentred: the frustum shifts
  // back onto the hologram in every frame, against the camera's x.
  if (framing == Framing::Wide) {
    rig.dShiftFirst = s > 1 ? s / (2.0 * rig.nImageWidthPx) : 0.0;
  } else {
    rig.dShiftFirst = -rig.dXFirstMm / (rig.nImageWidthPx * p);
    rig.dShiftPerFrame = -rig.dCameraStepMm / (rig.nImageWidthPx * p);
  }
  rig.dFilmBackWidthMm = kFilmBackWidthMm;
  rig.dFilmBackHeightMm = kFilmBackWidthMm * rig.nImageHeightPx / rig.nImageWidthPx;
  // The image spans its pixel count times the pitch on the image plane, D away.
  rig.dFocalLengthMm = kFilmBackWidthMm * setup.dCameraDistanceMm / (rig.nImageWidthPx * p);
  rig.dLensFovDeg = 2 * std::atan(kFilmBackWidthMm / (2 * rig.dFocalLengthMm)) * 180.0 / kPi;
  rig.dVerticalFovDeg = 2 * std::atan(rig.nImageHeightPx * p / (2 * setup.dCameraDistanceMm)) * 180.0 / kPi;
  rig.nBudgetPixels = MultiplyOrThrow(MultiplyOrThrow(static_cast<uint64_t>(rig.nFrameCount), static_cast<uint64_t>(rig.nImageWidthPx)),
                                      static_cast<uint64_t>(rig.nImageHeightPx));
  rig.nBudgetBytesRgb8 = MultiplyOrThrow(rig.nBudgetPixels, 3);
  return rig;
}

// Frame 1 of the wide framing shows the hologram in the image's rightmost
// columns; every frame after it the camera moves one step right and the
// hologram s columns left.
FramePose RenderRig::Frame(int32_t nFrame) const {
  if (nFrame < 1 || nFrame > nFrameCount) throw std::out_of_range("frame number outside 1..frame count");
  const int32_t columns = result.nHologramPx;
  FramePose pose;
  pose.nFrame = nFrame;
  pose.dXMm = dXFirstMm + dCameraStepMm * (nFrame - 1);
  pose.dYMm = kTrackHeightMm;
  pose.dZMm = setup.dCameraDistanceMm;
  pose.dShiftX = dShiftFirst + dShiftPerFrame * (nFrame - 1);
  pose.nHologramFirstPx = eFraming == Framing::Wide ? nImageWidthPx - columns - step.Number() * (nFrame - 1) : 0;
  pose.nHologramLastPx = pose.nHologramFirstPx + columns - 1;
  return pose;
}
