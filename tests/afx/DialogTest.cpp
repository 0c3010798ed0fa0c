// Dialogs: control binding, the ways a modal dialog ends, and the results of
// handlers going back through the dialog's window procedure.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "TestIds.h"
#include "ReportBoxCloser.h"
#include "afxwin.h"

namespace {

constexpr INT_PTR kTimedOut = -2;
constexpr UINT_PTR kWatchdogTimer = 1;
constexpr UINT WM_SCRIPT = WM_APP + 40;
constexpr UINT WM_PRIVATE_QUERY = WM_APP + 41;

void CALLBACK EndTimedOutDialog(HWND hWnd, UINT, UINT_PTR, DWORD) {
  static_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd))->EndDialog(kTimedOut);
}

class CBoundDlg : public CDialog {
 public:
  CBoundDlg() : CDialog(IDD_TEST) {}
  CEdit m_edit;
  int m_nExchanges = 0;
  void DoDataExchange(CDataExchange* pDX) override {
    ++m_nExchanges;
    DDX_Control(pDX, IDC_TEST_EDIT, m_edit);
  }
};

TEST(DialogBinding, BindsItsControlsAtInitialisationAndLetsGoOfThemOnDestroy) {
  CBoundDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_TEST));
  EXPECT_EQ(dlg.m_nExchanges, 1);
  EXPECT_EQ(dlg.m_edit.m_hWnd, ::GetDlgItem(dlg, IDC_TEST_EDIT));
  EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_edit), &dlg.m_edit);
  dlg.UpdateData(TRUE);
  EXPECT_EQ(dlg.m_nExchanges, 2);
  dlg.DestroyWindow();
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_EQ(dlg.m_edit.m_hWnd, nullptr);
}

TEST(DialogBinding, AMissingTemplateFailsWithoutCapturingTheNextWindow) {
  CDialog dlg(9999);
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
  ::DestroyWindow(hWnd);
}

enum class Ending { OkCommand, CancelCommand, EnterKey, EscapeKey, SystemClose, EscapeSwallowedThenEnter, Quit };
constexpr WPARAM kQuitCode = 7;

// Ends itself from inside its own modal loop, the way a user would.
class CScriptedDlg : public CDialog {
 public:
  explicit CScriptedDlg(Ending ending) : CDialog(IDD_TEST), m_ending(ending) {}
  int m_nOk = 0;
  int m_nCancel = 0;

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    ::SetTimer(m_hWnd, kWatchdogTimer, 5000, &EndTimedOutDialog);
    GetDlgItem(IDC_TEST_EDIT)->SetFocus();
    PostMessage(WM_SCRIPT);
    return FALSE;
  }
  void OnOK() override {
    ++m_nOk;
    CDialog::OnOK();
  }
  void OnCancel() override {
    ++m_nCancel;
    CDialog::OnCancel();
  }
  LRESULT OnScript(WPARAM, LPARAM) {
    switch (m_ending) {
      case Ending::OkCommand: SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)); break;
      case Ending::CancelCommand: SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)); break;
      case Ending::EnterKey: ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0x001C0001); break;
      case Ending::EscapeKey: ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001); break;
      case Ending::SystemClose: SendMessage(WM_SYSCOMMAND, SC_CLOSE); break;
      case Ending::EscapeSwallowedThenEnter:
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        break;
      case Ending::Quit: ::PostQuitMessage(static_cast<int>(kQuitCode)); break;
    }
    return 0;
  }
  // Asked by the loop on the way up from the focused edit to the dialog.
  BOOL PreTranslateMessage(MSG* pMsg) override {
    const bool bSwallow = m_ending == Ending::EscapeSwallowedThenEnter && pMsg->message == WM_KEYDOWN &&
                          pMsg->wParam == VK_ESCAPE && pMsg->hwnd == ::GetDlgItem(m_hWnd, IDC_TEST_EDIT);
    m_nSwallowed += bSwallow;
    return bSwallow;
  }
  int m_nSwallowed = 0;
  DECLARE_MESSAGE_MAP()

 private:
  Ending m_ending;
};
BEGIN_MESSAGE_MAP(CScriptedDlg, CDialog)
  ON_MESSAGE(WM_SCRIPT, &CScriptedDlg::OnScript)
END_MESSAGE_MAP()

TEST(ModalDialog, EndsThroughTheOverriddenOkOrCancelWhicheverWayItIsClosed) {
  struct Case {
    Ending ending;
    const char* name;
    INT_PTR result;
    int oks;
    int cancels;
    int swallowed = 0;
  };
  const Case cases[] = {
      {Ending::OkCommand, "OK command", IDOK, 1, 0},
      {Ending::CancelCommand, "Cancel command", IDCANCEL, 0, 1},
      {Ending::EnterKey, "Enter key", IDOK, 1, 0},
      {Ending::EscapeKey, "Escape key", IDCANCEL, 0, 1},
      {Ending::SystemClose, "system menu Close", IDCANCEL, 0, 1},
      {Ending::EscapeSwallowedThenEnter, "Escape taken by PreTranslateMessage", IDOK, 1, 0, 1},
      {Ending::Quit, "WM_QUIT, left in the queue for the loop outside", -1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CScriptedDlg dlg(c.ending);
    EXPECT_EQ(dlg.DoModal(), c.result);
    EXPECT_EQ(dlg.m_nOk, c.oks);
    EXPECT_EQ(dlg.m_nCancel, c.cancels);
    EXPECT_EQ(dlg.m_nSwallowed, c.swallowed);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    MSG quit{};
    EXPECT_EQ(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, c.ending == Ending::Quit);
    EXPECT_EQ(quit.wParam, c.ending == Ending::Quit ? kQuitCode : WPARAM{0});
  }
}

// Idle work is asked for once the window is up and painted, again while the
// dialog wants more, and the dialog may end from it.
class CIdleDlg : public CDialog {
 public:
  CIdleDlg() : CDialog(IDD_TEST) {}
  BOOL OnInitDialog() override {
    ::SetTimer(m_hWnd, kWatchdogTimer, 5000, &EndTimedOutDialog);
    return CDialog::OnInitDialog();
  }
  std::vector<LPARAM> m_counts;
  bool m_bPaintedFirst = true;
  LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam) {
    RECT rcUpdate;
    m_bPaintedFirst &= wParam == MSGF_DIALOGBOX && IsWindowVisible() && !::GetUpdateRect(m_hWnd, &rcUpdate, FALSE);
    m_counts.push_back(lParam);
    if (lParam == 2) EndDialog(IDOK);
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CIdleDlg, CDialog)
  ON_MESSAGE(WM_KICKIDLE, &CIdleDlg::OnKickIdle)
END_MESSAGE_MAP()

TEST(ModalDialog, AsksForIdleWorkOncePaintedAndMayEndFromIt) {
  CIdleDlg dlg;
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_counts, (std::vector<LPARAM>{0, 1, 2}));
  EXPECT_TRUE(dlg.m_bPaintedFirst);
}

class CColouredEdit : public CEdit {
 public:
  CBrush m_brush{RGB(0, 255, 255)};
  HBRUSH CtlColor(CDC*, UINT) { return m_brush; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CColouredEdit, CEdit)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CResultsDlg : public CDialog {
 public:
  CResultsDlg() : CDialog(IDD_RESULTS) {}
  CColouredEdit m_readOnly;
  CBrush m_labelBrush{RGB(255, 0, 255)};
  HICON m_hIcon = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
  BOOL m_bInitResult = TRUE;

  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_READONLY_EDIT, m_readOnly); }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    GetDlgItem(IDC_SECOND_EDIT)->SetFocus();
    return m_bInitResult;
  }
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (pWnd->GetDlgCtrlID() == IDC_LABEL) return m_labelBrush;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  }
  HCURSOR OnQueryDragIcon() { return m_hIcon; }
  LRESULT OnPrivateQuery(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) * 1000 + lParam; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CResultsDlg, CDialog)
  ON_WM_CTLCOLOR()
  ON_WM_QUERYDRAGICON()
  ON_MESSAGE(WM_PRIVATE_QUERY, &CResultsDlg::OnPrivateQuery)
END_MESSAGE_MAP()

COLORREF PixelOf(const CWnd* pControl) {
  HDC hDC = ::GetDC(*pControl);
  COLORREF colour = ::GetPixel(hDC, 2, 2);
  ::ReleaseDC(*pControl, hDC);
  return colour;
}

TEST(DialogResults, ColourBrushesReachTheControlsPainting) {
  CResultsDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_RESULTS));
  ::RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(PixelOf(dlg.GetDlgItem(IDC_LABEL)), RGB(255, 0, 255));
  EXPECT_EQ(PixelOf(&dlg.m_readOnly), RGB(0, 255, 255));
  EXPECT_EQ(PixelOf(dlg.GetDlgItem(IDC_FIRST_EDIT)), ::GetSysColor(COLOR_WINDOW));
  dlg.DestroyWindow();
}

TEST(DialogResults, HandleAndPrivateResultsComeBackToTheSender) {
  CResultsDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_RESULTS));
  EXPECT_EQ(dlg.SendMessage(WM_QUERYDRAGICON), reinterpret_cast<LRESULT>(dlg.m_hIcon));
  EXPECT_EQ(dlg.SendMessage(WM_PRIVATE_QUERY, 12, 34), 12034);
  dlg.DestroyWindow();
}

TEST(DialogResults, InitialisationResultDecidesWhoGetsTheFocus) {
  CResultsDlg keeps;
  keeps.m_bInitResult = FALSE;
  ASSERT_TRUE(keeps.Create(IDD_RESULTS));
  EXPECT_EQ(::GetFocus(), ::GetDlgItem(keeps, IDC_SECOND_EDIT));
  keeps.DestroyWindow();

  CResultsDlg moves;
  ASSERT_TRUE(moves.Create(IDD_RESULTS));
  EXPECT_EQ(::GetFocus(), ::GetDlgItem(moves, IDC_FIRST_EDIT));
  moves.DestroyWindow();
}

class CThrowingInitDlg : public CDialog {
 public:
  CThrowingInitDlg() : CDialog(IDD_TEST) {}
  BOOL OnInitDialog() override { throw std::runtime_error("initialisation failed"); }
};

void CreateThrowingDialog() {
  ReportBoxCloser reports(true);
  CThrowingInitDlg dlg;
  dlg.Create(IDD_TEST);
}

// A dialog half initialised is no state to go on from.
TEST(DialogResultsDeathTest, AnInitialisationThatThrowsIsShownAndEndsTheProgram) {
  EXPECT_EXIT(CreateThrowingDialog(), ::testing::ExitedWithCode(kAfxExitHandlerFailed),
              "report: .*failed on message 0x0110 .*: initialisation failed .*ends now");
}

}  // namespace
