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

HWND CDialog::CreateFromTemplate(HWND hOwner) {
  HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogParamW(hInst, m_lpszTemplateName, hOwner, AfxDlgProc, 0);
  AfxUnhookWindowCreate();
  return hWnd;
}

// As DialogBox: the owner is disabled before the dialog exists, so that the
// dialog's initialisation already runs with the owner out of reach.
INT_PTR CDialog::DoModal() {
  const HWND hOwner = OwnerWindow();
  const bool bEnableOwner = hOwner != nullptr && ::IsWindowEnabled(hOwner);
  if (bEnableOwner) ::EnableWindow(hOwner, FALSE);
  m_nModalResult = -1;
  m_bContinueModal = true;
  if (CreateFromTemplate(hOwner) != nullptr) RunModalLoop();
  m_bContinueModal = false;
  // The owner comes back before the dialog goes, so that the platform hands
  // the activation to it rather than to some other program's window.
  if (bEnableOwner) ::EnableWindow(hOwner, TRUE);
  if (m_hWnd != nullptr) {
    if (hOwner != nullptr && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hOwner);
    DestroyWindow();
  }
  return m_nModalResult;
}

// A template without WS_VISIBLE is shown, as DialogBox shows it, once the
// queue first runs dry or the first timer comes: after what the
// initialisation posted. Idle work comes once it has been shown and painted.
void CDialog::RunModalLoop() {
  bool bShown = IsWindowVisible() != FALSE;
  bool bIdle = true;
  LPARAM lIdleCount = 0;
  MSG msg;
  while (m_bContinueModal && m_hWnd != nullptr) {
    // Until the dialog is shown and has declined idle work, messages are
    // taken without waiting, so that the queue's running dry is seen; peeking
    // first for each message would be a second round trip to the window server.
    BOOL bGot = TRUE;
    if (!bShown || bIdle) {
      if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (bShown) bIdle = SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++) != 0;
        else ShowWindow(SW_SHOWNORMAL);
        bShown = true;
        continue;
      }
      if (msg.message == WM_QUIT) bGot = FALSE;
    } else {
      bGot = ::GetMessageW(&msg, nullptr, 0, 0);
    }
    if (bGot <= 0) {
      if (bGot == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
      m_nModalResult = -1;
      return;
    }
    if (!WalkPreTranslateTree(m_hWnd, &msg) && !::IsDialogMessageW(m_hWnd, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (!bShown && msg.message == WM_TIMER && m_hWnd != nullptr) {
      ShowWindow(SW_SHOWNORMAL);
      bShown = true;
    }
  }
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_lpszTemplateName = MAKEINTRESOURCEW(nIDTemplate);
  m_pParentWnd = pParentWnd;
  return CreateFromTemplate(OwnerWindow()) != nullptr;
}

void CDialog::EndDialog(int nResult) {
  if (m_bContinueModal) {
    m_nModalResult = nResult;
    m_bContinueModal = false;
  }
  ::EndDialog(m_hWnd, nResult);
}

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
