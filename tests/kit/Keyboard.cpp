#include "Keyboard.h"

#include <algorithm>
#include <iterator>

#include "MessagePump.h"

void PressKey(HWND hDialog, HWND hTarget, std::initializer_list<BYTE> modifiers, UINT key) {
  BYTE saved[256], held[256];
  ::GetKeyboardState(saved);
  std::copy(std::begin(saved), std::end(saved), held);
  for (BYTE modifier : modifiers) held[modifier] = 0x80;
  ::SetKeyboardState(held);
  ::SetFocus(hTarget);
  ::PostMessageW(hTarget, WM_KEYDOWN, key, 1);
  PumpMessages(hDialog);
  ::SetKeyboardState(saved);
}

std::wstring ClipboardText() {
  if (!::OpenClipboard(nullptr)) return L"<busy>";
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  std::wstring text = data != nullptr ? static_cast<const wchar_t*>(::GlobalLock(data)) : L"<none>";
  if (data != nullptr) ::GlobalUnlock(data);
  ::CloseClipboard();
  return text;
}
