#pragma once
// The window's texts about the render setup: the copied results, the fields'
// tool tips and the export's suggested file name. No window code here.

#include <string>
#include <string_view>

#include "RenderRig.h"

// What each field's tool tip says for the current inputs.
struct FieldTips {
  std::wstring strWidth;
  std::wstring strHeight;
  std::wstring strFov;
  std::wstring strFrames[4];  // every frame, every 2nd, 4th and 8th
  std::wstring strImage;      // the image width and height alike
};

// A setup without a rig (a count past 32 bits) still gets its tips: the
// derived values give way to the reason.
FieldTips MakeFieldTips(const RenderSetup& setup);

// One line per value, label, value and unit between tabs: pastes as text and
// splits into spreadsheet columns.
std::wstring ResultsText(const RenderRig& rig);

// For example hologram-30x20mm-every-2nd-frame.py.
std::wstring SuggestedFileName(const RenderSetup& setup, std::wstring_view extension);

std::wstring Utf16(std::string_view utf8);
