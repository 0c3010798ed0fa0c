#include "CVantorelApp.h"

#include "CVantorelDlg.h"

BEGIN_MESSAGE_MAP(CVantorelApp, CWinAppEx)
  ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CVantorelApp theApp;

BOOL CVantorelApp::InitInstance() {
  INITCOMMONCONTROLSEX initCtrls{};
  initCtrls.dwSize = sizeof(initCtrls);
  initCtrls.dwICC = ICC_WIN95_CLASSES;
  ::InitCommonControlsEx(&initCtrls);

  CWinAppEx::InitInstance();
  AfxEnableControlContainer();
  SetRegistryKey(L"Local AppWizard-Generated Applications");

  {
    CVantorelDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
  }
  m_pMainWnd = nullptr;
  // No message loop: the process ends with the dialog.
  return FALSE;
}
