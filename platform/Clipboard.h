#pragma once
#include <windows.h>

#include <string>

// Puts text on the clipboard as Unicode text, owned by hOwner. Another
// program may hold the clipboard for a moment: this tries again briefly, and
// gives false only when it stayed busy or the text could not be stored.
bool PutTextOnClipboard(HWND hOwner, const std::wstring& text);
