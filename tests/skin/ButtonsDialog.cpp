#include "ButtonsDialog.h"

#include "MessageRecorder.h"
#include "TestSupport.h"

namespace skintest {

bool CButtonsDialog::Open(int x, int y) {
  if (!Create(IDD_BUTTONS)) return false;
  // Topmost: a release is judged by the window under the point, and another
  // test program's window on the same desktop must not be that window.
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, x, y, 200, 110, SWP_SHOWWINDOW);
  ::SetForegroundWindow(m_hWnd);
  const struct {
    CxSkinButton* pButton;
    int x, y;
  } places[] = {{&m_btnPush, 10, 10},   {&m_btnCheck, 40, 10},  {&m_btnRadio1, 10, 40},
                {&m_btnRadio2, 40, 40}, {&m_btnRadio3, 70, 40}, {&m_btnAfter, 10, 76}};
  for (const auto& place : places) {
    place.pButton->SetSkin(IDB_FACE_NORMAL, IDB_FACE_DOWN, IDB_FACE_OVER, IDB_FACE_FOCUS);
    place.pButton->MoveWindow(place.x, place.y, 24, 24);
  }
  GetDlgItem(IDC_GROUP_EDIT)->MoveWindow(100, 40, 40, 20);
  PumpMessages();
  return true;
}

void CButtonsDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_PUSH, m_btnPush);
  DDX_Control(pDX, IDC_CHECK, m_btnCheck);
  DDX_Control(pDX, IDC_RADIO1, m_btnRadio1);
  DDX_Control(pDX, IDC_RADIO2, m_btnRadio2);
  DDX_Control(pDX, IDC_RADIO3, m_btnRadio3);
  DDX_Control(pDX, IDC_AFTER_GROUP, m_btnAfter);
}

// Every button's clicks, whichever button: the log says which and what check
// state the parent sees at that moment.
BOOL CButtonsDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT nCode = HIWORD(wParam);
  if (lParam != 0 && (nCode == BN_CLICKED || nCode == BN_DOUBLECLICKED)) {
    (nCode == BN_CLICKED ? m_nClicks : m_nDoubleClicks)++;
    if (auto* pButton = dynamic_cast<CProbeSkinButton*>(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(lParam))))
      m_bHoverAtLastClick = pButton->m_bMouseOver;
    const LRESULT nCheck = ::SendMessageW(reinterpret_cast<HWND>(lParam), BM_GETCHECK, 0, 0);
    MessageRecorder::Mark(std::string("parent ") + (nCode == BN_CLICKED ? "BN_CLICKED " : "BN_DOUBLECLICKED ") +
                          std::to_string(LOWORD(wParam)) + " check " + std::to_string(nCheck));
  }
  return CDialog::OnCommand(wParam, lParam);
}

}  // namespace skintest
