#include "CDialog.h"

#include "AfxGlobals.h"
#include "AfxProcessWndProcException.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, &CDialog::OnOK)
  ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

// Every message reaches the dialog's object through its window procedure,
// which sits in front of the platform's dialog procedure; this dialog
// procedure is only asked for what that one passes on. Of that, it takes the
// initialisation, whose result goes back directly (it decides the focus);
// everything else is left to the platform's default dialog handling.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  auto* pDialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
  if (pDialog == nullptr) return TRUE;
  try {
    return pDialog->OnInitDialog();
  } catch (...) {
    // A dialog that failed to initialise is not drawing: this ends the program.
    AfxProcessWndProcException(pDialog, MSG{hWnd, message, wParam, lParam, 0, {0, 0}});
    return TRUE;
  }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd != nullptr) return;
  rControl.SubclassWindow(::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC));
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_pParentWnd(pParentWnd) {}

HWND CDialog::OwnerWindow() const {
  if (m_pParentWnd != nullptr) return m_pParentWnd->m_hWnd;
  CWnd* pMain = AfxGetMainWnd();
  return pMain != nullptr && pMain != this ? pMain->m_hWnd : nullptr;
}

INT_PTR CDialog::DoModal() {
  HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
  AfxHookWindowCreate(this);
  INT_PTR result = ::DialogBoxParamW(hInst, m_lpszTemplateName, OwnerWindow(), AfxDlgProc, 0);
  AfxUnhookWindowCreate();
  return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_lpszTemplateName = MAKEINTRESOURCEW(nIDTemplate);
  m_pParentWnd = pParentWnd;
  HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogParamW(hInst, m_lpszTemplateName, OwnerWindow(), AfxDlgProc, 0);
  AfxUnhookWindowCreate();
  return hWnd != nullptr;
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}
