#include "CToolTipCtrl.h"

#include <commctrl.h>

#include "AfxGlobals.h"

namespace {

TOOLINFOW ToolInfo(CWnd* pWnd, UINT_PTR nIDTool, LPCWSTR lpszText) {
  TOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  HWND hWnd = pWnd->GetSafeHwnd();
  if (nIDTool == 0) {
    ti.hwnd = ::GetParent(hWnd);
    ti.uFlags = TTF_IDISHWND;
    ti.uId = reinterpret_cast<UINT_PTR>(hWnd);
  } else {
    ti.hwnd = hWnd;
    ti.uId = nIDTool;
  }
  ti.hinst = AfxGetResourceHandle();
  ti.lpszText = const_cast<LPWSTR>(lpszText);
  return ti;
}

}  // namespace

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  return CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle,
                  RECT{}, pParentWnd, 0);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCWSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  TOOLINFOW ti = ToolInfo(pWnd, nIDTool, lpszText);
  if (lpRectTool != nullptr) ti.rect = *lpRectTool;
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFOW ti = ToolInfo(pWnd, nIDTool, lpszText);
  SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}
