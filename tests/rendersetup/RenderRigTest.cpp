#include "RenderRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "SetupBuilders.h"

namespace {

struct RigCase {
  int32_t nWidth, nHeight;
  RenderMode mode;
  Framing framing;
  int32_t nImageWidth, nImageHeight, nFrames;
  double dFocal;
  int32_t nFirstFrameFirstPx, nLastFrameFirstPx;
};

const RigCase kRigCases[] = {
    // Step 1 wide: 10800/(200+W) mm; the hologram starts at the image's right
    // and the spare column of the calculator's step-1 width is column 0.
    {30, 20, RenderEveryFrame, Framing::Wide, 2300, 200, 2000, 10800.0 / 230, 2000, 1},
    // Above step 1 the last frame ends at column 0.
    {30, 20, RenderEvery2ndFrame, Framing::Wide, 2298, 200, 1000, 36 * 300 / 229.8, 1998, 0},
    {20, 250, RenderEvery4thFrame, Framing::Wide, 2196, 2500, 500, 36 * 300 / 219.6, 1996, 0},
    {30, 20, RenderEvery8thFrame, Framing::Recentred, 300, 200, 250, 360, 0, 0},
    {150, 10, RenderEveryFrame, Framing::Recentred, 1500, 100, 2000, 72, 0, 0},
};

TEST(RenderRig, ImageLensAndHologramColumnsAtFirstAndLastFrame) {
  for (const RigCase& c : kRigCases) {
    SCOPED_TRACE(std::to_string(c.nWidth) + "x" + std::to_string(c.nHeight) + " mode " + std::to_string(c.mode));
    const RenderRig rig = MakeRenderRig(HologramSetup(c.nWidth, c.nHeight, c.mode), c.framing);
    EXPECT_EQ(rig.nImageWidthPx, c.nImageWidth);
    EXPECT_EQ(rig.nImageHeightPx, c.nImageHeight);
    EXPECT_EQ(rig.nFrameCount, c.nFrames);
    EXPECT_NEAR(rig.dFocalLengthMm, c.dFocal, 1e-9);
    EXPECT_DOUBLE_EQ(rig.dCameraStepMm, 0.1 * rig.step.Number());
    EXPECT_EQ(rig.nBudgetPixels, uint64_t(c.nFrames) * c.nImageWidth * c.nImageHeight);
    EXPECT_EQ(rig.nBudgetBytesRgb8, rig.nBudgetPixels * 3);

    const FramePose first = rig.Frame(1);
    const FramePose last = rig.Frame(rig.nFrameCount);
    EXPECT_DOUBLE_EQ(first.dXMm, -100.0);
    EXPECT_NEAR(last.dXMm, -100.0 + 0.1 * rig.step.Number() * (c.nFrames - 1), 1e-9);
    EXPECT_EQ(first.nHologramFirstPx, c.nFirstFrameFirstPx);
    EXPECT_EQ(last.nHologramFirstPx, c.nLastFrameFirstPx);
    EXPECT_EQ(first.nHologramLastPx - first.nHologramFirstPx + 1, c.nWidth * 10);
  }
}

// Every frame through a pinhole camera with the rig's own lens: the
// hologram's edges must land on the columns the rig names, its top and
// bottom on the image's first and last row. This is what a 3D program does
// with the numbers.
TEST(RenderRig, PinholeProjectionPutsTheHologramOnItsColumnsInEveryFrame) {
  for (const RigCase& c : kRigCases) {
    SCOPED_TRACE(std::to_string(c.nWidth) + "x" + std::to_string(c.nHeight) + " mode " + std::to_string(c.mode));
    const RenderRig rig = MakeRenderRig(HologramSetup(c.nWidth, c.nHeight, c.mode), c.framing);
    const double D = rig.setup.dCameraDistanceMm;
    const double pxPerFilmMm = rig.nImageWidthPx / rig.dFilmBackWidthMm;  // horizontal sensor fit
    EXPECT_NEAR(rig.dFilmBackHeightMm * pxPerFilmMm, rig.nImageHeightPx, 1e-6);
    EXPECT_NEAR(2 * std::atan(rig.dFilmBackHeightMm / (2 * rig.dFocalLengthMm)) * 180 / 3.141592653589793, rig.dVerticalFovDeg, 1e-9);
    const double topRow = rig.nImageHeightPx / 2.0 - rig.dFocalLengthMm * (c.nHeight / 2.0) / D * pxPerFilmMm;
    EXPECT_NEAR(topRow, 0, 1e-6);

    for (int32_t k = 1; k <= rig.nFrameCount; ++k) {
      const FramePose pose = rig.Frame(k);
      // A positive shift moves the frustum right, so the scene moves left.
      const auto column = [&](double planeX) {
        return rig.nImageWidthPx * (0.5 - pose.dShiftX) + rig.dFocalLengthMm * (planeX - pose.dXMm) / D * pxPerFilmMm;
      };
      ASSERT_EQ(pose.nFrame, k);
      ASSERT_EQ(pose.dYMm, 0);
      ASSERT_EQ(pose.dZMm, D);
      ASSERT_NEAR(column(-c.nWidth / 2.0), pose.nHologramFirstPx, 1e-6) << "frame " << k;
      ASSERT_NEAR(column(c.nWidth / 2.0), pose.nHologramLastPx + 1, 1e-6) << "frame " << k;
      ASSERT_GE(pose.nHologramFirstPx, 0);
      ASSERT_LT(pose.nHologramLastPx, rig.nImageWidthPx);
    }
  }
}

TEST(RenderRig, RecentredRendersTheHologramsShareOfTheWidePixels) {
  for (const auto& [width, share] : {std::pair{30, 0.13}, std::pair{150, 0.43}}) {
    const RenderSetup setup = HologramSetup(width, 20, RenderEveryFrame);
    const double ratio = double(MakeRenderRig(setup, Framing::Recentred).nBudgetPixels) / MakeRenderRig(setup, Framing::Wide).nBudgetPixels;
    EXPECT_NEAR(ratio, width / (200.0 + width), 1e-12);
    EXPECT_NEAR(ratio, share, 0.005);
  }
}

TEST(RenderRig, RefusesSetupsWithNoRenderableRigInOneLineNamingTheInput) {
  struct Bad {
    const char* what;
    RenderSetup setup;
    const char* message;
  };
  auto with = [](auto change) {
    RenderSetup s = HologramSetup(30, 20, RenderEveryFrame);
    change(s);
    return s;
  };
  const Bad bad[] = {
      {"width overflows", with([](RenderSetup& s) { s.nWidthMm = 214748365; }), "the width 214748365 mm is too large"},
      {"height overflows", with([](RenderSetup& s) { s.nHeightMm = 214748365; }), "the height 214748365 mm is too large"},
      {"frames overflow", with([](RenderSetup& s) { s.dTrackLengthMm = 3e8; }), "the track 300000000 mm is too long"},
      {"budget overflows 64 bits",
       with([](RenderSetup& s) { s.nWidthMm = s.nHeightMm = 1000; s.dTrackLengthMm = 1000; s.dPixelPitchMm = 1e-6; }),
       "more than 2^64 pixels"},
      {"lower than a pixel", with([](RenderSetup& s) { s.dPixelPitchMm = 40; }), "lower than one pixel"},
      {"no frame at step 8", with([](RenderSetup& s) { s.dTrackLengthMm = 0.5; s.nMode = RenderEvery8thFrame; }), "no frame at this step"},
      {"zero pitch", with([](RenderSetup& s) { s.dPixelPitchMm = 0; }), "pixel pitch"},
      {"NaN distance", with([](RenderSetup& s) { s.dCameraDistanceMm = std::nan(""); }), "camera distance"},
      {"negative track", with([](RenderSetup& s) { s.dTrackLengthMm = -200; }), "track length"},
      {"zero width", with([](RenderSetup& s) { s.nWidthMm = 0; }), "width must be at least 1 mm"},
      {"zero height", with([](RenderSetup& s) { s.nHeightMm = 0; }), "height must be at least 1 mm"},
      {"unknown step", with([](RenderSetup& s) { s.nMode = static_cast<RenderMode>(7); }), "frame step"},
  };
  for (const Bad& b : bad) {
    for (Framing framing : {Framing::Wide, Framing::Recentred}) {
      try {
        MakeRenderRig(b.setup, framing);
        ADD_FAILURE() << b.what << ": no error";
      } catch (const RigError& e) {
        EXPECT_NE(std::string(e.what()).find(b.message), std::string::npos) << b.what << ": " << e.what();
        EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos) << b.what;
      }
    }
  }
}

TEST(RenderRig, FramesOutsideTheSequenceAreRefused) {
  const RenderRig rig = MakeRenderRig(HologramSetup(30, 20, RenderEvery2ndFrame), Framing::Wide);
  EXPECT_THROW(rig.Frame(0), std::out_of_range);
  EXPECT_THROW(rig.Frame(rig.nFrameCount + 1), std::out_of_range);
}

}  // namespace
