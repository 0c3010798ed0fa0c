#pragma once
// What the calculator window shows, and whether that is a state the
// calculator can be in. The state is read from the window in-process, or
// parsed from the lines the end-to-end probe prints about a running program,
// so that both soak runs judge the window by the same rules.
#include <windows.h>

#include <istream>
#include <map>
#include <string>

#include "CalculatorFields.h"
#include "resource.h"

struct DialogState {
  std::map<int, std::wstring> texts;  // by control id, the thirteen fields
  std::map<int, bool> checked;        // the four frame-step boxes
  std::map<int, bool> visible;        // the three outlines
};

DialogState ReadDialogState(HWND dialog);
// The probe's "text.ID=...", "check.ID=0|1" and "visible.ID=0|1" lines, UTF-8.
DialogState ParseProbeState(std::istream& lines);

// Empty when the inputs are numbers the calculator accepts, exactly one box is
// ticked, and every result and the outline are what the calculator gives for
// those inputs and that box; otherwise the first thing found wrong.
std::string FindInconsistency(const DialogState& state);

// What the window stores for an input text, as it will save it.
int InputMillimetres(const std::wstring& text);
