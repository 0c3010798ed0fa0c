// The application object: built before the entry point, found through the
// global accessors, routing its own commands, and started by AfxWinMain.
#include <gtest/gtest.h>

#include "TestIds.h"
#include "TestMain.h"
#include "afxwin.h"

namespace {

class CTestApp : public CWinAppEx {
 public:
  CTestApp() : CWinAppEx(L"afx tests") {}
  int m_nInit = 0;
  int m_nExit = 0;
  BOOL InitInstance() override {
    ++m_nInit;
    SetRegistryKey(L"Local AppWizard-Generated Applications");
    return FALSE;
  }
  int ExitInstance() override {
    ++m_nExit;
    return 7;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestApp, CWinAppEx)
  ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CTestApp theApp;

TEST(Application, ExistsBeforeTheEntryPointAndIsTheOneAfxGetAppReturns) {
  EXPECT_EQ(g_pAppAtEntry, &theApp);
  EXPECT_EQ(AfxGetApp(), &theApp);
  EXPECT_EQ(theApp.m_strAppName, L"afx tests");
}

TEST(Application, RoutesTheHelpCommandThroughItsTable) {
  EXPECT_TRUE(theApp.OnCmdMsg(ID_HELP, CN_COMMAND));
  EXPECT_FALSE(theApp.OnCmdMsg(ID_HELP + 1, CN_COMMAND));
  EXPECT_FALSE(theApp.OnCmdMsg(ID_HELP, BN_DOUBLECLICKED));
}

TEST(Application, TheMainWindowOwnsDialogsThatNameNoParent) {
  EXPECT_EQ(AfxGetMainWnd(), nullptr);
  CDialog main(IDD_TEST);
  theApp.m_pMainWnd = &main;
  EXPECT_EQ(AfxGetMainWnd(), &main);
  ASSERT_TRUE(main.Create(IDD_TEST));

  CDialog about(IDD_TEST);
  ASSERT_TRUE(about.Create(IDD_TEST));
  EXPECT_EQ(::GetWindow(about, GW_OWNER), main.m_hWnd);
  EXPECT_EQ(::GetWindow(main, GW_OWNER), nullptr);
  about.DestroyWindow();
  theApp.m_pMainWnd = nullptr;
  main.DestroyWindow();
}

TEST(Application, AfxWinMainEndsThroughExitInstanceWhenInitInstanceDeclines) {
  HINSTANCE hInstance = ::GetModuleHandleW(nullptr);
  EXPECT_EQ(AfxWinMain(hInstance), 7);
  EXPECT_EQ(theApp.m_nInit, 1);
  EXPECT_EQ(theApp.m_nExit, 1);
  EXPECT_EQ(theApp.m_hInstance, hInstance);
  EXPECT_EQ(theApp.m_strRegistryKey, L"Local AppWizard-Generated Applications");
}

}  // namespace
