#include "CWnd.h"

#include "AfxGlobals.h"
#include "AfxProcessWndProcException.h"
#include "AfxThreadState.h"
#include "CDCArgument.h"
#include "CMenu.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(CWnd, CObject)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_CTLCOLOR()
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

const CWnd CWnd::wndTop;

CWnd::~CWnd() {
  // A window must not outlive its object: the object's table would be gone.
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
    ::DestroyWindow(m_hWnd);
    if (m_hWnd != nullptr) ReleaseWindow();
  }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  auto& map = AfxGetThreadState().permanentWnds;
  auto it = map.find(hWnd);
  return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  if (CWnd* pWnd = FromHandlePermanent(hWnd)) return pWnd;
  auto& temporary = AfxGetThreadState().temporaryWnds[hWnd];
  if (!temporary) {
    temporary = std::make_unique<CWnd>();
    temporary->m_hWnd = hWnd;
    AfxGetThreadState().KeepUntilIdle();
  }
  return temporary.get();
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWndNew) != nullptr) return FALSE;
  m_hWnd = hWndNew;
  AfxGetThreadState().permanentWnds[hWndNew] = this;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd != nullptr) {
    auto& map = AfxGetThreadState().permanentWnds;
    auto it = map.find(hWnd);
    if (it != map.end() && it->second == this) map.erase(it);
  }
  m_hWnd = nullptr;
  return hWnd;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID) {
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateWindowExW(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top,
                                pParentWnd ? pParentWnd->m_hWnd : nullptr,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                                AfxGetInstanceHandle(), nullptr);
  AfxUnhookWindowCreate();
  return hWnd != nullptr && m_hWnd == hWnd;
}

BOOL CWnd::DestroyWindow() { return m_hWnd != nullptr && ::DestroyWindow(m_hWnd); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *pResult = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) return OnNotify(wParam, lParam, pResult);
  AFX_MSG msg{message, wParam, lParam, 0};
  const bool isCtlColor = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
  if (!DispatchToEntry(isCtlColor ? WM_CTLCOLOR : message, 0, 0, msg)) return FALSE;
  *pResult = msg.lResult;
  return TRUE;
}

// A message for a window outside hWndStop's family is offered up to the top.
// A handler that throws is a handler that failed, as in a window procedure.
BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    try {
      if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    } catch (...) {
      AfxProcessWndProcException(pWnd, *pMsg);
      return FALSE;
    }
    if (hWnd == hWndStop) break;
  }
  return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != nullptr) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& current = AfxGetThreadState().lastSentMsg;
  return DefWindowProc(current.message, current.wParam, current.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  auto hWndCtrl = reinterpret_cast<HWND>(lParam);
  if (hWndCtrl != nullptr && ReflectLastMsg(hWndCtrl)) return TRUE;
  return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

// Looked up by the notification's code and its sender's id. The id of a tool
// tip's tool added as a window (TTF_IDISHWND) is that window's handle.
BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  const auto* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
  AFX_MSG msg{WM_NOTIFY, 0, lParam, 0};
  if (!DispatchToEntry(WM_NOTIFY, pNMHDR->code, static_cast<UINT>(pNMHDR->idFrom), msg)) return FALSE;
  *pResult = msg.lResult;
  return TRUE;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* pChild = FromHandlePermanent(hWndChild);
  return pChild != nullptr && pChild->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG& current = AfxGetThreadState().lastSentMsg;
  return OnChildNotify(current.message, current.wParam, current.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  AFX_MSG msg{message, wParam, lParam, 0};
  bool handled = false;
  if (message == WM_COMMAND)
    handled = DispatchToEntry(WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0, msg);
  else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    handled = DispatchToEntry(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, msg);
  if (handled && pResult != nullptr) *pResult = msg.lResult;
  return handled;
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
  LRESULT result = 0;
  if (pWnd != nullptr && pWnd->SendChildNotifyLastMsg(&result)) return reinterpret_cast<HBRUSH>(result);
  return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem)) return;
  Default();
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)); }

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD style = GetStyle();
  DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle) return FALSE;
  ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(newStyle));
  if (nFlags != 0)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
  ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
  return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : HWND_TOP, x, y, cx, cy, nFlags);
}

void CWnd::Invalidate(BOOL bErase) { InvalidateRect(nullptr, bErase); }

// A window not shown keeps no update region, and showing it paints all of
// it: asking the window server to invalidate it is a round trip for nothing,
// which a dialog's initialisation would otherwise make for each control.
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) {
  if (::IsWindowVisible(m_hWnd)) ::InvalidateRect(m_hWnd, lpRect, bErase);
}
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

// As in the platform's library, a text the window already shows is not sent
// again: that spares the control a repaint and its parent a change notice.
void CWnd::SetWindowText(LPCWSTR lpszString) {
  const wchar_t* const pszNew = lpszString != nullptr ? lpszString : L"";
  constexpr int kCompared = 256;
  wchar_t szOld[kCompared];
  const int nNew = static_cast<int>(std::wcslen(pszNew));
  // A shown text too long for the buffer comes back cut to kCompared - 1
  // characters, so only shorter new texts are compared.
  if (nNew < kCompared - 1 && ::GetWindowTextW(m_hWnd, szOld, kCompared) == nNew && std::wcscmp(szOld, pszNew) == 0)
    return;
  ::SetWindowTextW(m_hWnd, pszNew);
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }

void CWnd::GetWindowText(CString& rString) const {
  int length = GetWindowTextLength();
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  int copied = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
  rString = CString(buffer.data(), copied < 0 ? 0 : copied);
}

// Redrawing a window not shown would only cost a round trip, as invalidating
// it would.
void CWnd::SetFont(HFONT hFont, BOOL bRedraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw && ::IsWindowVisible(m_hWnd));
}

void CWnd::SetIcons(HICON hBig, HICON hSmall) {
  SetIcon(hSmall, FALSE);
  SetIcon(hBig, TRUE);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon, reinterpret_cast<LPARAM>(hIcon)));
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse) { return ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr); }
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const {
  return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* CWnd::WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
