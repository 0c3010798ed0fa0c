#pragma once
#include <windows.h>

// Writes a line for a developer to the debugger's output (OutputDebugString),
// printf-style. What a user needs to know goes elsewhere.
void AfxTrace(LPCWSTR lpszFormat, ...);
