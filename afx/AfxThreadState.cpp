#include "AfxThreadState.h"

#include "CDC.h"
#include "CMenu.h"
#include "CWnd.h"

// Every message needs this state. thread_local alone goes through
// mingw-w64's emulated thread storage, which cost more than the rest of the
// dispatch, so the state's address is kept in one of the platform's own
// thread slots; the thread's last-error value survives the lookup.
AfxThreadState& AfxGetThreadState() {
  static const DWORD slot = ::TlsAlloc();
  const DWORD lastError = ::GetLastError();
  auto* pState = static_cast<AfxThreadState*>(::TlsGetValue(slot));
  ::SetLastError(lastError);
  if (pState != nullptr) return *pState;
  thread_local AfxThreadState state;
  ::TlsSetValue(slot, &state);
  return state;
}

void AfxThreadState::DeleteTemporaries() {
  if (temporaryWnds.empty() && temporaryDCs.empty() && temporaryMenus.empty()) return;
  for (auto& [hwnd, wnd] : temporaryWnds) wnd->Detach();
  for (auto& [hdc, dc] : temporaryDCs) dc->Detach();
  for (auto& [hmenu, menu] : temporaryMenus) menu->Detach();
  temporaryWnds.clear();
  temporaryDCs.clear();
  temporaryMenus.clear();
}
