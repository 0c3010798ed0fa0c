#include "CVantorelApp.h"

#include "CVantorelDlg.h"

#include <objbase.h>

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

  // Assistive technology reaches the named controls through COM.
  const bool bComReady = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  {
    CVantorelDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
  }
  m_pMainWnd = nullptr;
  if (bComReady) ::CoUninitialize();
  // No message loop: the process ends with the dialog.
  return FALSE;
}
