#pragma once
// The window's texts about the render setup, in UTF-8: the fields' tool tips,
// the copied results and the export's suggested file name. No window code.

#include <string>

#include "RenderRig.h"

// What each field's tool tip says for the current inputs, lines split by CR LF.
struct FieldTips {
  std::string strWidth;
  std::string strHeight;
  std::string strFov;
  std::string strFrames[4];  // every frame, every 2nd, 4th and 8th
  std::string strImage;      // the image width and height alike
};

// A setup without a rig (a count past 32 bits) still gets its tips: the
// derived values give way to the reason.
FieldTips MakeFieldTips(const RenderSetup& setup);

// One CR LF-ended line per value, label, value and unit between tabs: pastes
// as text and splits into spreadsheet columns.
std::string ResultsText(const RenderRig& rig);

// For example hologram-30x20mm-every-2nd-frame-recentred; the file type adds
// the rest.
std::string SuggestedFileStem(const RenderSetup& setup, Framing framing);
