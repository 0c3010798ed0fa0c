#pragma once
#include <windows.h>

#include "CObject.h"

class CMenu : public CObject {
 public:
  HMENU m_hMenu = nullptr;
  // A wrapper for a menu the program does not own (the system menu); it lives
  // until the thread is back in a message loop.
  static CMenu* FromHandle(HMENU hMenu);
  HMENU Detach();
  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCWSTR lpszNewItem = nullptr);
  int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
};
