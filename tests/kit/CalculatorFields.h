#pragma once
// The calculator window's thirteen fields, as the window tests walk them: the
// two inputs, then the eleven results.
#include "resource.h"

inline constexpr int kCalculatorFieldIds[] = {
    IDC_EDIT_WIDTH,       IDC_EDIT_HEIGHT,       IDC_EDIT_FOV,        IDC_EDIT_DISTANCE, IDC_EDIT_TRACK,
    IDC_EDIT_TRACK_START, IDC_EDIT_TRACK_END,    IDC_EDIT_FRAMES1,    IDC_EDIT_FRAMES2,  IDC_EDIT_FRAMES4,
    IDC_EDIT_FRAMES8,     IDC_EDIT_IMAGE_HEIGHT, IDC_EDIT_IMAGE_WIDTH};
