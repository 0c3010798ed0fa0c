#include <gtest/gtest.h>

#include <string>

#include "SetupBuilders.h"
#include "SetupFormats.h"

namespace {

struct LimitCase {
  int32_t nWidthMm;
  int32_t nHeightMm;
  double dPitchMm;
  double dTrackMm;
  Framing eFraming;
  const char* szRefusal;  // part of the message, or nullptr when the script is written
};

// Past any of Blender's limits it would clamp silently and render the wrong
// images, so the script is refused with a reason instead.
const LimitCase kLimitCases[] = {
    {6353, 20, 0.1, 200, Framing::Wide, nullptr},  // 65530 px: the widest step-1 image
    {6354, 20, 0.1, 200, Framing::Wide, "65540 px wide, past the 65536 px"},
    {6354, 20, 0.1, 200, Framing::Recentred, nullptr},
    {30, 6554, 0.1, 200, Framing::Wide, "65540 px high, past the 65536 px"},
    {30, 65536, 1, 200, Framing::Wide, nullptr},  // exactly Blender's largest side
    {30, 65537, 1, 200, Framing::Wide, "65537 px high, past the 65536 px"},
    {1, 20, 0.5, 200, Framing::Recentred, "2 px wide, under the 4 px"},
    {30, 1, 0.5, 200, Framing::Wide, "2 px high, under the 4 px"},
    {30, 20, 0.1, 200000, Framing::Recentred, "2000000 frames, past the 1048574"},
    {20000, 20, 1, 200, Framing::Wide, "the lens would be 0.535 mm"},
};

TEST(BlenderScriptTest, RefusesWhatBlenderWouldClamp) {
  for (const LimitCase& c : kLimitCases) {
    SCOPED_TRACE(std::to_string(c.nWidthMm) + " x " + std::to_string(c.nHeightMm) + " mm");
    RenderSetup setup = HologramSetup(c.nWidthMm, c.nHeightMm);
    setup.dPixelPitchMm = c.dPitchMm;
    setup.dTrackLengthMm = c.dTrackMm;
    const RenderRig rig = MakeRenderRig(setup, c.eFraming);
    if (c.szRefusal == nullptr) {
      EXPECT_NE(FormatSetup(rig, SetupFormat::Blender).find("import bpy"), std::string::npos);
      continue;
    }
    try {
      FormatSetup(rig, SetupFormat::Blender);
      ADD_FAILURE() << "no refusal";
    } catch (const RigError& e) {
      EXPECT_NE(std::string(e.what()).find(c.szRefusal), std::string::npos) << e.what();
    }
  }
}

}  // namespace
