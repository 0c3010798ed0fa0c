// The window's texts about the render setup: tool tips worked out by hand for
// a small and a large hologram, the reason in place of values that do not
// fit, the copied lines and the suggested file names.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "SetupBuilders.h"
#include "SetupFormats.h"
#include "WindowTexts.h"

namespace {

TEST(WindowTexts, TipsGiveTheDerivedValues) {
  struct Case {
    RenderSetup setup;
    const char* fov;
    const char* image;
  };
  const Case cases[] = {
      {HologramSetup(30, 20, RenderEveryFrame), "a 46.957 mm lens, 41.947\u00B0 horizontal and 3.818\u00B0 vertical",
       "Each rendered image: 2300 x 200 px.\r\nThe whole render, every frame: 2000 images, 920,000,000 px, "
       "2,760,000,000 bytes as 8-bit RGB (2.57 GiB)."},
      {HologramSetup(1000, 1000, RenderEveryFrame), "a 9.000 mm lens, 126.870\u00B0 horizontal and 118.072\u00B0 vertical",
       "Each rendered image: 12000 x 10000 px.\r\nThe whole render, every frame: 2000 images, 240,000,000,000 px, "
       "720,000,000,000 bytes as 8-bit RGB (670.55 GiB)."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.setup.nWidthMm << " x " << c.setup.nHeightMm);
    const FieldTips tips = MakeFieldTips(c.setup);
    EXPECT_EQ(tips.strFov.rfind("The camera's horizontal field of view.\r\nOn a 36 mm film back: ", 0), 0u) << tips.strFov;
    EXPECT_NE(tips.strFov.find(c.fov), std::string::npos) << tips.strFov;
    EXPECT_EQ(tips.strImage, c.image);
    EXPECT_EQ(tips.strWidth, "The hologram's width in whole millimetres.");
    EXPECT_EQ(tips.strHeight, "The hologram's height in whole millimetres.");
  }
}

TEST(WindowTexts, EachFrameCountTipGivesItsOwnCameraStep) {
  const char* const expected[4] = {
      "rendering every frame.\r\nThe camera moves 0.1 mm",
      "rendering every 2nd frame.\r\nThe camera moves 0.2 mm",
      "rendering every 4th frame.\r\nThe camera moves 0.4 mm",
      "rendering every 8th frame.\r\nThe camera moves 0.8 mm",
  };
  const FieldTips tips = MakeFieldTips(HologramSetup(57, 100, RenderEvery4thFrame));
  for (int i = 0; i < 4; ++i) EXPECT_NE(tips.strFrames[i].find(expected[i]), std::string::npos) << tips.strFrames[i];
}

TEST(WindowTexts, TipsOfASetupTooLargeForARigGiveTheReason) {
  const FieldTips tips = MakeFieldTips(HologramSetup(2147483647, 20, RenderEveryFrame));
  for (const std::string& tip : {tips.strFov, tips.strImage, tips.strFrames[0], tips.strFrames[3]}) {
    const size_t nLineBreak = tip.find("\r\n");
    ASSERT_NE(nLineBreak, std::string::npos) << tip;
    EXPECT_TRUE(std::isupper(static_cast<unsigned char>(tip[nLineBreak + 2]))) << "the reason reads as a sentence: " << tip;
    EXPECT_NE(tip.find("too large", nLineBreak), std::string::npos) << tip;
    EXPECT_EQ(tip.back(), '.') << tip;
  }
}

TEST(WindowTexts, ResultsAreOneTabbedLinePerRow) {
  const RenderRig rig = MakeRenderRig(HologramSetup(30, 20, RenderEvery8thFrame), Framing::Wide);
  const std::string text = ResultsText(rig);
  std::istringstream lines(text);
  std::string line;
  size_t count = 0;
  while (std::getline(lines, line)) {
    ++count;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
    EXPECT_EQ(line.back(), '\r') << line;
  }
  EXPECT_EQ(count, ResultRows(rig).size());
  EXPECT_EQ(text.rfind("Hologram width\t30\tmm\r\nHologram height\t20\tmm\r\nFrame step\t8\t(every 8th frame)\r\n", 0), 0u);
}

TEST(WindowTexts, SuggestedNamesSayTheSizesAndTheStep) {
  const char* const expected[4] = {"hologram-30x20mm-every-frame-wide", "hologram-30x20mm-every-2nd-frame-wide",
                                   "hologram-30x20mm-every-4th-frame-wide", "hologram-30x20mm-every-8th-frame-wide"};
  for (int nMode = 0; nMode < 4; ++nMode)
    EXPECT_EQ(SuggestedFileStem(HologramSetup(30, 20, static_cast<RenderMode>(nMode)), Framing::Wide), expected[nMode]);
  EXPECT_EQ(SuggestedFileStem(HologramSetup(30, 20, RenderEvery2ndFrame), Framing::Recentred),
            "hologram-30x20mm-every-2nd-frame-recentred");
}

}  // namespace
