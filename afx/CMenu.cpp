#include "CMenu.h"

#include "AfxThreadState.h"

CMenu* CMenu::FromHandle(HMENU hMenu) {
  if (hMenu == nullptr) return nullptr;
  auto& menu = AfxGetThreadState().temporaryMenus[hMenu];
  if (!menu) {
    menu = std::make_unique<CMenu>();
    menu->m_hMenu = hMenu;
    AfxGetThreadState().KeepUntilIdle();
  }
  return menu.get();
}

HMENU CMenu::Detach() {
  HMENU hMenu = m_hMenu;
  m_hMenu = nullptr;
  return hMenu;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCWSTR lpszNewItem) {
  return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
