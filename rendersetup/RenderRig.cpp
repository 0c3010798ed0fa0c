#include "RenderRig.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kFilmBackWidthMm = 36.0;
constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();

int32_t StepOf(RenderMode mode) {
  switch (mode) {
    case RenderEveryFrame: return 1;
    case RenderEvery2ndFrame: return 2;
    case RenderEvery4thFrame: return 4;
    case RenderEvery8thFrame: return 8;
  }
  throw RigError("the frame step must be every frame, every 2nd, 4th or 8th frame");
}

int32_t FramesAtStep(const RenderResult& r, int32_t step) {
  switch (step) {
    case 2: return r.nFrames2;
    case 4: return r.nFrames4;
    case 8: return r.nFrames8;
    default: return r.nFrames;
  }
}

void RequirePositive(double value, const char* what) {
  if (!(std::isfinite(value) && value > 0)) {
    throw RigError(std::string("the ") + what + " must be a positive number of millimetres");
  }
}

// The hologram's width in whole pixels, as the calculator truncates it.
int32_t HologramColumns(const RenderResult& r) { return r.nSpanPx - r.nFrames; }

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
  RequireCount(HologramColumns(r), wide, "the hologram is narrower than one pixel at this pitch");
}

void Validate(const RenderSetup& setup) {
  if (setup.nWidthMm < 1) throw RigError("the hologram's width must be at least 1 mm");
  if (setup.nHeightMm < 1) throw RigError("the hologram's height must be at least 1 mm");
  RequirePositive(setup.dPixelPitchMm, "pixel pitch");
  RequirePositive(setup.dCameraDistanceMm, "camera distance");
  RequirePositive(setup.dTrackLengthMm, "track length");
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
  rig.nStep = StepOf(setup.nMode);

  const RenderResult& r = rig.result;
  RequireCounts(setup, r);
  rig.nFrameCount = FramesAtStep(r, rig.nStep);
  if (rig.nFrameCount < 1) throw RigError("the track holds no frame at this step: choose a smaller step");

  const double p = setup.dPixelPitchMm;
  rig.nImageWidthPx = framing == Framing::Wide ? r.nWidthPx : HologramColumns(r);
  rig.nImageHeightPx = r.nHeightPx;
  rig.dCameraStepMm = p * rig.nStep;
  rig.dFilmBackWidthMm = kFilmBackWidthMm;
  rig.dFilmBackHeightMm = kFilmBackWidthMm * rig.nImageHeightPx / rig.nImageWidthPx;
  // The image spans its pixel count times the pitch on the image plane, D away.
  rig.dFocalLengthMm = kFilmBackWidthMm * setup.dCameraDistanceMm / (rig.nImageWidthPx * p);
  rig.dVerticalFovDeg = 2 * std::atan(rig.nImageHeightPx * p / (2 * setup.dCameraDistanceMm)) * 180.0 / kPi;
  rig.nBudgetPixels = MultiplyOrThrow(MultiplyOrThrow(static_cast<uint64_t>(rig.nFrameCount), static_cast<uint64_t>(rig.nImageWidthPx)),
                                      static_cast<uint64_t>(rig.nImageHeightPx));
  rig.nBudgetBytesRgb8 = MultiplyOrThrow(rig.nBudgetPixels, 3);
  return rig;
}

// Wide: frame 1 shows the hologram in the image's rightmost columns; every
// frame after it the camera moves one step right and the hologram s columns
// left. At step 1 the calculator's image has one column to spare, so the last
// frame starts at column 1. Above step 1 the image is s columns short of a
// frustum centred on the camera, so the frustum shifts s/2 pixels right to
// keep the image's right edge on the hologram's right edge in frame 1; the
// last frame then starts at column 0.
// Recentred: the frustum shifts back onto the hologram in every frame.
FramePose RenderRig::Frame(int32_t nFrame) const {
  if (nFrame < 1 || nFrame > nFrameCount) throw std::out_of_range("frame number outside 1..frame count");
  const double p = setup.dPixelPitchMm;
  const int32_t columns = HologramColumns(result);
  FramePose pose;
  pose.nFrame = nFrame;
  pose.dXMm = setup.dTrackLengthMm * -0.5 + p * nStep * (nFrame - 1);
  pose.dZMm = setup.dCameraDistanceMm;
  if (eFraming == Framing::Wide) {
    pose.dShiftX = nStep > 1 ? nStep / (2.0 * nImageWidthPx) : 0.0;
    pose.nHologramFirstPx = nImageWidthPx - columns - nStep * (nFrame - 1);
  } else {
    pose.dShiftX = -pose.dXMm / (nImageWidthPx * p);
    pose.nHologramFirstPx = 0;
  }
  pose.nHologramLastPx = pose.nHologramFirstPx + columns - 1;
  return pose;
}

const char* StepWords(RenderMode mode) {
  switch (mode) {
    case RenderEveryFrame: return "every frame";
    case RenderEvery2ndFrame: return "every 2nd frame";
    case RenderEvery4thFrame: return "every 4th frame";
    case RenderEvery8thFrame: return "every 8th frame";
  }
  return "an unknown frame step";
}
