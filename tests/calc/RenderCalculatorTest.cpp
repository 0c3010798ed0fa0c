#include "RenderCalculator.h"
#include "RenderTexts.h"

#include <gtest/gtest.h>

#include <climits>

#include "FrameStep.h"
#include "SetupBuilders.h"

namespace {

struct Worked {
  int32_t width, height;
  const char* fov;
  const char* height_px;
  const char* widths[4];
};

// The worked examples users check their set-ups against.
const Worked kWorked[] = {
    {30, 20, "41.947 \u00B0", "200 px", {"2300 px", "2298 px", "2296 px", "2292 px"}},
    {1, 1, "37.042 \u00B0", "10 px", {"2010 px", "2008 px", "2006 px", "2002 px"}},
    {3, 3, "37.385 \u00B0", "30 px", {"2030 px", "2028 px", "2026 px", "2022 px"}},
    {100, 57, "53.130 \u00B0", "570 px", {"3000 px", "2998 px", "2996 px", "2992 px"}},
    {57, 100, "46.374 \u00B0", "1000 px", {"2570 px", "2568 px", "2566 px", "2562 px"}},
    {1000, 1, "126.870 \u00B0", "10 px", {"12000 px", "11998 px", "11996 px", "11992 px"}},
};

TEST(RenderCalculator, WorkedExamplesToTheCharacter) {
  for (const Worked& w : kWorked) {
    for (int mode = 0; mode < 4; ++mode) {
      RenderSetup s = HologramSetup(w.width, w.height, static_cast<RenderMode>(mode));
      RenderTexts t = FormatRenderTexts(s, CalculateRendering(s));
      SCOPED_TRACE(testing::Message() << w.width << " x " << w.height << " mode " << mode);
      EXPECT_EQ(t.strFov, w.fov);
      EXPECT_EQ(t.strImageHeight, w.height_px);
      EXPECT_EQ(t.strImageWidth, w.widths[mode]);
      EXPECT_EQ(t.strFrames[0], "2000 frames");
      EXPECT_EQ(t.strFrames[1], "1000 frames");
      EXPECT_EQ(t.strFrames[2], "500 frames");
      EXPECT_EQ(t.strFrames[3], "250 frames");
      EXPECT_EQ(t.strDistance, "300 mm");
      EXPECT_EQ(t.strTrackLength, "200 mm");
      EXPECT_EQ(t.strTrackStart, "-100 mm");
      EXPECT_EQ(t.strTrackEnd, "100 mm");
    }
  }
}

TEST(RenderCalculator, DegreeSignIsItsTwoUtf8BytesAfterABlank) {
  std::string fov = FormatDegrees(41.947);
  ASSERT_EQ(fov.size(), 9u);
  EXPECT_EQ(fov[6], ' ');
  EXPECT_EQ(fov.substr(7), "\xC2\xB0");
}

TEST(RenderCalculator, ThirtyByTwentyRecord) {
  RenderResult r = CalculateRendering(HologramSetup(30, 20));
  EXPECT_NEAR(r.dFovDeg, 41.947, 0.0005);
  EXPECT_EQ(r.nHeightPx, 200);
  EXPECT_EQ(r.nSpanPx, 2300);
  EXPECT_EQ(r.nWidthPx, 2300);
  EXPECT_EQ(r.nFrames, 2000);
  EXPECT_EQ(r.nFrames2, 1000);
  EXPECT_EQ(r.nFrames4, 500);
  EXPECT_EQ(r.nFrames8, 250);
  EXPECT_EQ(r.eAspect, Aspect::Landscape);
  EXPECT_EQ(r.nHologramPx, 300);
}

TEST(RenderCalculator, AspectFollowsTheIntegerSizes) {
  EXPECT_EQ(CalculateRendering(HologramSetup(30, 20)).eAspect, Aspect::Landscape);
  EXPECT_EQ(CalculateRendering(HologramSetup(20, 20)).eAspect, Aspect::Square);
  EXPECT_EQ(CalculateRendering(HologramSetup(20, 30)).eAspect, Aspect::Portrait);
  EXPECT_EQ(CalculateRendering(HologramSetup(INT_MIN, INT_MAX)).eAspect, Aspect::Portrait);
}

TEST(RenderCalculator, HeightChangesOnlyHeightAndAspect) {
  RenderResult a = CalculateRendering(HologramSetup(40, 10, RenderEvery4thFrame));
  RenderResult b = CalculateRendering(HologramSetup(40, 90, RenderEvery4thFrame));
  EXPECT_EQ(a.dFovDeg, b.dFovDeg);
  EXPECT_EQ(a.nWidthPx, b.nWidthPx);
  EXPECT_EQ(a.nFrames, b.nFrames);
  EXPECT_EQ(a.nSpanPx, b.nSpanPx);
  EXPECT_NE(a.nHeightPx, b.nHeightPx);
  EXPECT_NE(a.eAspect, b.eAspect);
}

// trunc(20 / 0.1) is 200 in IEEE doubles; 80-bit x87 intermediates give 199.
TEST(RenderCalculator, TruncationsUseIeeeDoubles) {
  EXPECT_EQ(CalculateRendering(HologramSetup(2, 2)).nHeightPx, 20);
  EXPECT_EQ(CalculateRendering(HologramSetup(20, 20)).nHeightPx, 200);
  for (int32_t w = 1; w <= 5000; ++w) {
    RenderResult r = CalculateRendering(HologramSetup(w, w));
    ASSERT_EQ(r.nFrames, 2000) << w;
    ASSERT_EQ(r.nHeightPx, 10 * w) << w;
    ASSERT_EQ(r.nSpanPx, 10 * w + 2000) << w;
  }
}

TEST(RenderCalculator, ModesNarrowTheWidthByTheirStep) {
  for (int32_t w : {1, 2, 7, 30, 999, 123456, 214748164}) {
    int32_t every = CalculateRendering(HologramSetup(w, 1, RenderEveryFrame)).nWidthPx;
    EXPECT_EQ(CalculateRendering(HologramSetup(w, 1, RenderEvery2ndFrame)).nWidthPx, every - 2) << w;
    EXPECT_EQ(CalculateRendering(HologramSetup(w, 1, RenderEvery4thFrame)).nWidthPx, every - 4) << w;
    EXPECT_EQ(CalculateRendering(HologramSetup(w, 1, RenderEvery8thFrame)).nWidthPx, every - 8) << w;
  }
}

TEST(RenderCalculator, LargestSizesThatStillFitAreExact) {
  RenderSetup s = HologramSetup(214748164, 214748364);
  RenderTexts t = FormatRenderTexts(s, CalculateRendering(s));
  EXPECT_EQ(t.strImageWidth, "2147483640 px");
  EXPECT_EQ(t.strImageHeight, "2147483640 px");
  EXPECT_EQ(t.strFrames[0], "2000 frames");
}

// Inputs the formulas do not cover: no fault, no wrapped counts, a marker
// where the true count does not fit.
TEST(RenderCalculator, InputsOutsideTheFormulasShowMarkers) {
  RenderSetup s = HologramSetup(214748165, 214748365);
  RenderTexts t = FormatRenderTexts(s, CalculateRendering(s));
  EXPECT_EQ(t.strImageWidth, "too large");
  EXPECT_EQ(t.strImageHeight, "too large");
  EXPECT_EQ(t.strFrames[0], "2000 frames");

  s = HologramSetup(INT_MAX, INT_MAX, RenderEvery8thFrame);
  t = FormatRenderTexts(s, CalculateRendering(s));
  EXPECT_EQ(t.strImageWidth, "too large");
  EXPECT_EQ(t.strFrames[3], "250 frames");

  s = HologramSetup(INT_MIN, INT_MIN);
  t = FormatRenderTexts(s, CalculateRendering(s));
  EXPECT_EQ(t.strImageWidth, "too small");
  EXPECT_EQ(t.strImageHeight, "too small");

  s = HologramSetup(0, 0);
  t = FormatRenderTexts(s, CalculateRendering(s));
  EXPECT_EQ(t.strFov, "n/a");  // 0 / 0
  EXPECT_EQ(t.strImageWidth, "2000 px");
  EXPECT_EQ(t.strImageHeight, "0 px");

  s = HologramSetup(-200, 5);  // the track sum is zero
  t = FormatRenderTexts(s, CalculateRendering(s));
  EXPECT_EQ(t.strFov, "0.000 \u00B0");
  EXPECT_EQ(t.strImageWidth, "0 px");
}

// The record holds a count that does not fit at the nearest end of the int32
// range, so a count landing exactly on an end reads as the marker as well.
// With the program's constants only a width of -214748564 mm at every 8th frame
// does. The fuzzer first met the case as a height of -1 mm over a pitch a hair
// below 2^-31 mm.
TEST(RenderCalculator, CountExactlyOnTheRangeEndShowsTheMarker) {
  RenderSetup s = HologramSetup(-214748564, 1, RenderEvery8thFrame);
  RenderResult r = CalculateRendering(s);
  EXPECT_EQ(r.nWidthPx, INT_MIN);
  EXPECT_EQ(FormatRenderTexts(s, r).strImageWidth, "too small");

  s.nMode = RenderEvery4thFrame;
  EXPECT_EQ(FormatRenderTexts(s, CalculateRendering(s)).strImageWidth, "-2147483644 px");
  s = HologramSetup(-214748563, 1, RenderEvery8thFrame);
  EXPECT_EQ(FormatRenderTexts(s, CalculateRendering(s)).strImageWidth, "-2147483638 px");

  s = HologramSetup(30, -1);
  s.dPixelPitchMm = 0x1p-31;  // exactly -2^31 px
  EXPECT_EQ(FormatRenderTexts(s, CalculateRendering(s)).strImageHeight, "too small");
  s.nHeightMm = 1;
  s.dPixelPitchMm = 1.0 / 2147483647.5;  // truncates to exactly 2^31 - 1 px
  EXPECT_EQ(FormatRenderTexts(s, CalculateRendering(s)).strImageHeight, "too large");
}

TEST(RenderCalculator, UnknownModeWidthIsTheEveryFrameWidth) {
  for (int32_t mode : {-1, 4, INT_MIN, INT_MAX}) {
    EXPECT_EQ(CalculateRendering(HologramSetup(30, 20, static_cast<RenderMode>(mode))).nWidthPx, 2300);
  }
}

TEST(RenderCalculator, FrameStepsAreFoundByTheirNumberOnly) {
  ASSERT_EQ(FrameStep::All().size(), 4u);
  for (FrameStep step : FrameStep::All()) EXPECT_EQ(FrameStep::FromNumber(step.Number())->Mode(), step.Mode());
  for (int32_t number : {0, 3, 16, -1}) EXPECT_FALSE(FrameStep::FromNumber(number)) << number;
}

}  // namespace
