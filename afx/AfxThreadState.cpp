#include "AfxThreadState.h"

#include "CDC.h"
#include "CMenu.h"
#include "CWnd.h"

AfxThreadState& AfxGetThreadState() {
  thread_local AfxThreadState state;
  return state;
}

void AfxThreadState::DeleteTemporaries() {
  for (auto& [hwnd, wnd] : temporaryWnds) wnd->Detach();
  for (auto& [hdc, dc] : temporaryDCs) dc->Detach();
  for (auto& [hmenu, menu] : temporaryMenus) menu->Detach();
  temporaryWnds.clear();
  temporaryDCs.clear();
  temporaryMenus.clear();
}
