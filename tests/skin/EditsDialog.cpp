#include "EditsDialog.h"

#include "MessageRecorder.h"
#include "TestSupport.h"

namespace skintest {

BEGIN_MESSAGE_MAP(CEditsDialog, CDialog)
  ON_EN_CHANGE(IDC_EDIT_INPUT, &CEditsDialog::OnInputChange)
  ON_EN_UPDATE(IDC_EDIT_INPUT, &CEditsDialog::OnInputUpdate)
END_MESSAGE_MAP()

bool CEditsDialog::Open(int x, int y) {
  if (!Create(IDD_EDITS)) return false;
  SetWindowPos(nullptr, x, y, 130, 70, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  m_edInput.MoveWindow(5, 2, 120, 20);
  m_edReadOnly.MoveWindow(5, 24, 120, 20);
  m_edFree.MoveWindow(5, 46, 120, 20);
  // No field holds the focus, so no caret blinks into the pixels read back.
  ::SetFocus(nullptr);
  PumpMessages();
  return true;
}

void CEditsDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_EDIT_INPUT, m_edInput);
  DDX_Control(pDX, IDC_EDIT_READONLY, m_edReadOnly);
  DDX_Control(pDX, IDC_EDIT_FREE, m_edFree);
}

void CEditsDialog::OnInputChange() {
  ++m_nParentChanges;
  CString strText;
  m_edInput.GetWindowText(strText);
  MessageRecorder::Mark("parent EN_CHANGE \"" + Printable(strText) + "\"");
}

void CEditsDialog::OnInputUpdate() {
  ++m_nParentUpdates;
  MessageRecorder::Mark("parent EN_UPDATE");
}

}  // namespace skintest
