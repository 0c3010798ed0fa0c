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

namespace {

// Each call of a hook is a round trip to the window server, for every message
// the thread takes: the hook stays only while there are wrappers to free.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  AfxThreadState& state = AfxGetThreadState();
  const HHOOK hHook = state.hHookGetMessage;
  const bool bBackInLoop = code == HC_ACTION && wParam == PM_REMOVE && state.nDispatchDepth == 0;
  if (bBackInLoop) {
    state.DeleteTemporaries();
    state.hHookGetMessage = nullptr;
  }
  const LRESULT result = ::CallNextHookEx(hHook, code, wParam, lParam);
  if (bBackInLoop) ::UnhookWindowsHookEx(hHook);
  return result;
}

}  // namespace

// Every loop takes its messages through GetMessage or PeekMessage, the
// platform's own loops too (dialog boxes, menus, message boxes), so a hook on
// them finds the thread back in a loop whichever loop it is.
void AfxThreadState::KeepUntilIdle() {
  if (hHookGetMessage == nullptr)
    hHookGetMessage = ::SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, ::GetCurrentThreadId());
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
