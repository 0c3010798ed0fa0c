#include <cwchar>
#include <set>
#include <string>

#include "AfxGlobals.h"

// Windows of one class share its traits, so a class is named for them and
// registered once. The platform's procedure serves until the library attaches
// the window to its object, which happens before the window's first message.
LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  static std::set<std::wstring> registered;
  wchar_t name[96];
  std::swprintf(name, 96, L"Afx:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()), nClassStyle,
                static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
  auto [entry, bNew] = registered.insert(name);
  if (bNew) {
    WNDCLASSW wc{};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = entry->c_str();
    if (::RegisterClassW(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
      registered.erase(entry);
      return nullptr;
    }
  }
  return entry->c_str();
}
