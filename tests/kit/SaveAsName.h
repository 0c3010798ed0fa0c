#pragma once
#include <windows.h>

// The Save As dialog's file name: a combo box in the newer layout, an edit
// field in the older one.
HWND SaveAsName(HWND saveAs);
