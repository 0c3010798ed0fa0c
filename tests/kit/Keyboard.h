#pragma once
// Keys and the clipboard as the window tests use them.
#include <windows.h>

#include <initializer_list>
#include <string>

// A key pressed in hTarget, which gets the focus, while the modifier keys are
// held; dispatched as hDialog's own loop does, through IsDialogMessage.
void PressKey(HWND hDialog, HWND hTarget, std::initializer_list<BYTE> modifiers, UINT key);
// The clipboard's text, "<busy>" or "<none>".
std::wstring ClipboardText();
