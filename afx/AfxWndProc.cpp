// The one window procedure of every attached window, and the hook that
// attaches a window object to a window while the window is being created.
#include "AfxProcessWndProcException.h"
#include "AfxThreadState.h"
#include "AfxTrace.h"
#include "CWnd.h"

namespace {

// The procedure below ours, from the thread's record of the windows whose
// chain holds ours: a message for a window whose object is gone still
// reaches the platform's procedure and never a freed object.
LRESULT CallSuper(const AfxThreadState& state, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto below = state.superProcs.find(hWnd);
  if (below != state.superProcs.end()) return ::CallWindowProcW(below->second, hWnd, message, wParam, lParam);
  return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// The current message is saved and restored around each dispatch, so that
// Default() in a handler replays that handler's own message even after a
// nested message was handled in between.
class CurrentMessageScope {
 public:
  CurrentMessageScope(AfxThreadState& state, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
      : m_state(state), m_saved(state.lastSentMsg) {
    m_state.lastSentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    ++m_state.nDispatchDepth;
  }
  ~CurrentMessageScope() {
    m_state.lastSentMsg = m_saved;
    --m_state.nDispatchDepth;
  }
  CurrentMessageScope(const CurrentMessageScope&) = delete;
  CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;

 private:
  AfxThreadState& m_state;
  MSG m_saved;
};

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  AfxThreadState& state = AfxGetThreadState();
  if (code == HCBT_CREATEWND && state.pWndInit != nullptr) {
    CWnd* pWnd = state.pWndInit;
    state.pWndInit = nullptr;
    pWnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
    // Every later window made meanwhile, a dialog's controls among them,
    // would call the hook again, each call a round trip to the window server.
    const HHOOK hHook = state.hHookCbt;
    state.hHookCbt = nullptr;
    const LRESULT result = ::CallNextHookEx(hHook, code, wParam, lParam);
    ::UnhookWindowsHookEx(hHook);
    return result;
  }
  return ::CallNextHookEx(state.hHookCbt, code, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // Looked up once: every message of every window passes here.
  AfxThreadState& state = AfxGetThreadState();
  auto attached = state.permanentWnds.find(hWnd);
  if (attached == state.permanentWnds.end()) {
    const LRESULT result = CallSuper(state, hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) state.superProcs.erase(hWnd);
    return result;
  }
  CWnd* pWnd = attached->second;

  CurrentMessageScope scope(state, hWnd, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = pWnd->WindowProc(message, wParam, lParam);
  } catch (...) {
    AfxProcessWndProcException(pWnd, MSG{hWnd, message, wParam, lParam, 0, {0, 0}});
    // Only a drawing message comes back here: the platform draws it its own way.
    result = CallSuper(state, hWnd, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    if (CWnd::FromHandlePermanent(hWnd) == pWnd) pWnd->DetachAfterNcDestroy();
    state.superProcs.erase(hWnd);
  }
  return result;
}

void AfxHookWindowCreate(CWnd* pWnd) {
  AfxThreadState& state = AfxGetThreadState();
  if (state.hHookCbt == nullptr)
    state.hHookCbt = ::SetWindowsHookExW(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
  state.pWndInit = pWnd;
}

bool AfxUnhookWindowCreate() {
  AfxThreadState& state = AfxGetThreadState();
  if (state.hHookCbt != nullptr) {
    ::UnhookWindowsHookEx(state.hHookCbt);
    state.hHookCbt = nullptr;
  }
  bool attached = state.pWndInit == nullptr;
  state.pWndInit = nullptr;
  return attached;
}

// Our procedure sits in a window's chain at most once, and the thread's record
// says where: it holds what comes below ours. A window that an
// earlier object let go of without unsubclassing still runs our procedure,
// perhaps under someone else's by now, so the next object takes it where it
// is instead of installing it a second time: a second copy would take the
// first copy's procedure for the one below and call itself for ever.
BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  auto& superProcs = AfxGetThreadState().superProcs;
  if (const auto below = superProcs.find(hWnd); below != superProcs.end()) {
    m_pfnSuper = below->second;
    return TRUE;
  }
  m_pfnSuper = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  superProcs[hWnd] = m_pfnSuper;
  return TRUE;
}

// Only the procedure on top can leave a chain: whoever subclassed the window
// after us calls ours, and taking ours out would cut them off from the rest.
// So while another procedure sits above ours the object stays attached, and
// the caller hears of it, rather than the chain being left broken.
HWND CWnd::UnsubclassWindow() {
  if (m_hWnd == nullptr) return nullptr;
  if (!RestoreSuper()) {
    AfxTrace(L"UnsubclassWindow refused for window %p: another procedure was installed above this "
             L"library's; it has to be removed first",
             static_cast<void*>(m_hWnd));
    return nullptr;
  }
  return Detach();
}

bool CWnd::RestoreSuper() {
  if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) != &AfxWndProc) return false;
  ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  AfxGetThreadState().superProcs.erase(m_hWnd);
  m_pfnSuper = nullptr;
  return true;
}

// A window on its way out is let go of in any case; if another procedure
// still sits above ours, ours passes its last messages on from the record.
void CWnd::DetachAfterNcDestroy() {
  ReleaseWindow();
  PostNcDestroy();
}

void CWnd::ReleaseWindow() {
  RestoreSuper();
  m_pfnSuper = nullptr;
  Detach();
}
