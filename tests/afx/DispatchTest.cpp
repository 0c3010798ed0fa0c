// Message tables, Default(), nested sends, handlers that throw and the
// wrappers handed out for foreign handles.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>

#include "AfxThreadState.h"
#include "MessageRecorder.h"
#include "ReportBoxCloser.h"
#include "afxwin.h"

namespace {

using R = MessageRecorder;

constexpr UINT WM_ONLY_IN_BASE = WM_APP + 1;
constexpr UINT WM_OVERRIDDEN = WM_APP + 2;
constexpr UINT WM_IN_MIDDLE = WM_APP + 3;
constexpr UINT WM_NOWHERE = WM_APP + 4;
constexpr UINT ID_HANDLED = 100;
constexpr UINT ID_CLICKED = 101;
constexpr UINT ID_UNHANDLED = 102;
constexpr UINT ID_RANGE_FIRST = 110;
constexpr UINT ID_RANGE_LAST = 113;

BOOL CreateOnBase(CWnd& wnd) {
  return wnd.CreateEx(0, R::BaseClassName(), L"", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0);
}

class CLevel1 : public CWnd {
 public:
  LRESULT OnOnlyInBase(WPARAM wParam, LPARAM lParam) {
    R::Mark("Level1::OnOnlyInBase");
    return static_cast<LRESULT>(wParam) + lParam;
  }
  LRESULT OnOverridden(WPARAM, LPARAM) {
    R::Mark("Level1::OnOverridden");
    return 1;
  }
  void OnHandledCommand() { R::Mark("Level1::OnHandledCommand"); }
  void OnClicked() { R::Mark("Level1::OnClicked"); }
  void OnRangeCommand(UINT nID) { R::Mark("Level1::OnRangeCommand " + std::to_string(nID)); }
  void OnRangeFocus(UINT nID) { R::Mark("Level1::OnRangeFocus " + std::to_string(nID)); }
  void OnClickNotify(NMHDR* pNMHDR, LRESULT* pResult) {
    R::Mark("Level1::OnClickNotify " + std::to_string(pNMHDR->idFrom));
    *pResult = 7;
  }
  void OnRangeNotify(UINT nID, NMHDR*, LRESULT*) { R::Mark("Level1::OnRangeNotify " + std::to_string(nID)); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLevel1, CWnd)
  ON_MESSAGE(WM_ONLY_IN_BASE, &CLevel1::OnOnlyInBase)
  ON_MESSAGE(WM_OVERRIDDEN, &CLevel1::OnOverridden)
  ON_COMMAND(ID_HANDLED, &CLevel1::OnHandledCommand)
  ON_BN_CLICKED(ID_CLICKED, &CLevel1::OnClicked)
  ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, &CLevel1::OnRangeCommand)
  ON_CONTROL_RANGE(BN_SETFOCUS, ID_RANGE_FIRST, ID_RANGE_LAST, &CLevel1::OnRangeFocus)
  ON_NOTIFY(NM_CLICK, ID_CLICKED, &CLevel1::OnClickNotify)
  ON_NOTIFY_RANGE(NM_RETURN, ID_RANGE_FIRST, ID_RANGE_LAST, &CLevel1::OnRangeNotify)
END_MESSAGE_MAP()

class CLevel2 : public CLevel1 {
 public:
  LRESULT OnMiddle(WPARAM, LPARAM) {
    R::Mark("Level2::OnMiddle");
    return 2;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLevel2, CLevel1)
  ON_MESSAGE(WM_IN_MIDDLE, &CLevel2::OnMiddle)
END_MESSAGE_MAP()

class CLevel3 : public CLevel2 {
 public:
  LRESULT OnOverridden(WPARAM, LPARAM) {
    R::Mark("Level3::OnOverridden");
    return 3;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLevel3, CLevel2)
  ON_MESSAGE(WM_OVERRIDDEN, &CLevel3::OnOverridden)
END_MESSAGE_MAP()

class TableChain : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateOnBase(m_wnd));
    m_recorder.Watch(m_wnd, "wnd");
  }
  CLevel3 m_wnd;
  R m_recorder;
};

TEST_F(TableChain, LookupWalksAllThreeTablesAndTheMostDerivedEntryWins) {
  m_recorder.Only({WM_ONLY_IN_BASE, WM_OVERRIDDEN, WM_IN_MIDDLE, WM_NOWHERE});
  m_recorder.BaseResult(WM_NOWHERE, 77);
  EXPECT_EQ(m_wnd.SendMessage(WM_ONLY_IN_BASE, 20, 22), 42);
  EXPECT_EQ(m_wnd.SendMessage(WM_OVERRIDDEN), 3);
  EXPECT_EQ(m_wnd.SendMessage(WM_IN_MIDDLE), 2);
  EXPECT_EQ(m_wnd.SendMessage(WM_NOWHERE, 5, 6), 77);
  EXPECT_TRUE(m_recorder.Matches({
      R::Sent("wnd", WM_ONLY_IN_BASE, 0).W(20).L(22),
      R::Marked("Level1::OnOnlyInBase", 0),
      R::Sent("wnd", WM_OVERRIDDEN, 0),
      R::Marked("Level3::OnOverridden", 0),
      R::Sent("wnd", WM_IN_MIDDLE, 0),
      R::Marked("Level2::OnMiddle", 0),
      R::Sent("wnd", WM_NOWHERE, 0).W(5).L(6),
      R::Base("wnd", WM_NOWHERE, 0).W(5).L(6),
  }));
}

TEST_F(TableChain, ABaseObjectKeepsItsOwnEntry) {
  CLevel1 base;
  ASSERT_TRUE(CreateOnBase(base));
  m_recorder.Watch(base, "base");
  m_recorder.Only({WM_OVERRIDDEN, WM_IN_MIDDLE});
  EXPECT_EQ(base.SendMessage(WM_OVERRIDDEN), 1);
  base.SendMessage(WM_IN_MIDDLE);
  EXPECT_TRUE(m_recorder.Matches({
      R::Sent("base", WM_OVERRIDDEN, 0),
      R::Marked("Level1::OnOverridden", 0),
      R::Sent("base", WM_IN_MIDDLE, 0),
      R::Base("base", WM_IN_MIDDLE, 0),
  }));
}

TEST_F(TableChain, CommandsAreFoundByIdAndNotificationCode) {
  m_recorder.Only({WM_COMMAND});
  HWND hButton = R::CreateBaseWindow(m_wnd, WS_CHILD, ID_CLICKED);
  EXPECT_EQ(m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_HANDLED, 0), 0), 1);
  m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CLICKED, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
  m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CLICKED, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(hButton));
  m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_UNHANDLED, 0), 0);
  for (UINT id : {ID_RANGE_FIRST, ID_RANGE_LAST, ID_RANGE_LAST + 1})
    m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
  m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_RANGE_LAST, BN_SETFOCUS), reinterpret_cast<LPARAM>(hButton));
  EXPECT_TRUE(m_recorder.Matches({
      R::Sent("wnd", WM_COMMAND, 0).W(ID_HANDLED),
      R::Marked("Level1::OnHandledCommand", 0),
      R::Sent("wnd", WM_COMMAND, 0).W(MAKEWPARAM(ID_CLICKED, BN_CLICKED)),
      R::Marked("Level1::OnClicked", 0),
      R::Sent("wnd", WM_COMMAND, 0).W(MAKEWPARAM(ID_CLICKED, BN_DOUBLECLICKED)),
      R::Base("wnd", WM_COMMAND, 0).W(MAKEWPARAM(ID_CLICKED, BN_DOUBLECLICKED)),
      R::Sent("wnd", WM_COMMAND, 0).W(ID_UNHANDLED),
      R::Base("wnd", WM_COMMAND, 0).W(ID_UNHANDLED),
      R::Sent("wnd", WM_COMMAND, 0).W(ID_RANGE_FIRST),
      R::Marked("Level1::OnRangeCommand 110", 0),
      R::Sent("wnd", WM_COMMAND, 0).W(ID_RANGE_LAST),
      R::Marked("Level1::OnRangeCommand 113", 0),
      R::Sent("wnd", WM_COMMAND, 0).W(ID_RANGE_LAST + 1),
      R::Base("wnd", WM_COMMAND, 0).W(ID_RANGE_LAST + 1),
      R::Sent("wnd", WM_COMMAND, 0).W(MAKEWPARAM(ID_RANGE_LAST, BN_SETFOCUS)),
      R::Marked("Level1::OnRangeFocus 113", 0),
  }));
}

TEST_F(TableChain, NotificationsAreFoundByCodeAndSenderId) {
  m_recorder.Only({WM_NOTIFY});
  const auto notify = [this](UINT_PTR id, UINT code) {
    NMHDR hdr{nullptr, id, code};
    return m_wnd.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&hdr));
  };
  EXPECT_EQ(notify(ID_CLICKED, NM_CLICK), 7);
  notify(ID_CLICKED, NM_RETURN);
  notify(ID_RANGE_LAST, NM_RETURN);
  EXPECT_TRUE(m_recorder.Matches({
      R::Sent("wnd", WM_NOTIFY, 0).W(ID_CLICKED),
      R::Marked("Level1::OnClickNotify 101", 0),
      R::Sent("wnd", WM_NOTIFY, 0).W(ID_CLICKED),
      R::Base("wnd", WM_NOTIFY, 0).W(ID_CLICKED),
      R::Sent("wnd", WM_NOTIFY, 0).W(ID_RANGE_LAST),
      R::Marked("Level1::OnRangeNotify 113", 0),
  }));
}

constexpr UINT WM_DEFAULT_FIRST = WM_APP + 10;
constexpr UINT WM_OUTER = WM_APP + 11;
constexpr UINT WM_INNER = WM_APP + 12;
constexpr UINT WM_THROWS = WM_APP + 13;
constexpr UINT WM_AROUND_THROW = WM_APP + 14;

// Handlers that hand their message to the previous procedure, before or
// after their own work, and ones that send or throw in between.
class CDefaultWnd : public CWnd {
 public:
  void OnSize(UINT nType, int cx, int cy) {
    Default();
    R::Mark("OnSize " + std::to_string(nType) + " " + std::to_string(cx) + "x" + std::to_string(cy));
  }
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    R::Mark("OnKeyDown " + std::to_string(nChar) + " " + std::to_string(nRepCnt) + " " + std::to_string(nFlags));
    Default();
  }
  LRESULT OnDefaultFirst(WPARAM, LPARAM) {
    LRESULT result = Default();
    R::Mark("Default gave " + std::to_string(result));
    return result + 1;
  }
  LRESULT OnOuter(WPARAM, LPARAM) {
    R::Mark("outer begin");
    SendMessage(WM_INNER, 7, 8);
    R::Mark("outer after inner");
    Default();
    R::Mark("outer end");
    return 0;
  }
  LRESULT OnInner(WPARAM, LPARAM) {
    R::Mark("inner");
    return Default();
  }
  LRESULT OnThrows(WPARAM, LPARAM) {
    R::Mark("throwing");
    throw std::runtime_error("handler failed");
  }
  LRESULT OnAroundThrow(WPARAM, LPARAM) {
    LRESULT inner = SendMessage(WM_THROWS, 9, 9);
    R::Mark("inner gave " + std::to_string(inner));
    Default();
    return 5;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDefaultWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_KEYDOWN()
  ON_MESSAGE(WM_DEFAULT_FIRST, &CDefaultWnd::OnDefaultFirst)
  ON_MESSAGE(WM_OUTER, &CDefaultWnd::OnOuter)
  ON_MESSAGE(WM_INNER, &CDefaultWnd::OnInner)
  ON_MESSAGE(WM_THROWS, &CDefaultWnd::OnThrows)
  ON_MESSAGE(WM_AROUND_THROW, &CDefaultWnd::OnAroundThrow)
END_MESSAGE_MAP()

class DefaultHandling : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateOnBase(m_wnd));
    m_recorder.Watch(m_wnd, "wnd");
    m_recorder.Only({WM_SIZE, WM_KEYDOWN, WM_DEFAULT_FIRST, WM_OUTER, WM_INNER, WM_THROWS, WM_AROUND_THROW});
    m_recorder.Clear();
  }
  CDefaultWnd m_wnd;
  R m_recorder;
};

TEST_F(DefaultHandling, PreviousProcedureSeesTheMessageOnceBeforeOrAfterTheHandler) {
  const LPARAM size = MAKELPARAM(123, 45);
  const LPARAM key = 0x00390001;  // one repeat, scan code 0x39
  m_wnd.SendMessage(WM_SIZE, SIZE_RESTORED, size);
  m_wnd.SendMessage(WM_KEYDOWN, VK_SPACE, key);
  EXPECT_TRUE(m_recorder.Matches({
      R::Sent("wnd", WM_SIZE, 0).W(SIZE_RESTORED).L(size),
      R::Base("wnd", WM_SIZE, 0).W(SIZE_RESTORED).L(size),
      R::Marked("OnSize 0 123x45", 0),
      R::Sent("wnd", WM_KEYDOWN, 0).W(VK_SPACE).L(key),
      R::Marked("OnKeyDown 32 1 57", 0),
      R::Base("wnd", WM_KEYDOWN, 0).W(VK_SPACE).L(key),
  }));
}

TEST_F(DefaultHandling, DefaultReturnsWhatThePreviousProcedureAnswered) {
  m_recorder.BaseResult(WM_DEFAULT_FIRST, 40);
  EXPECT_EQ(m_wnd.SendMessage(WM_DEFAULT_FIRST, 1, 2), 41);
  EXPECT_TRUE(m_recorder.Matches({
      R::Sent("wnd", WM_DEFAULT_FIRST, 0).W(1).L(2),
      R::Base("wnd", WM_DEFAULT_FIRST, 0).W(1).L(2),
      R::Marked("Default gave 40", 0),
  }));
}

TEST_F(DefaultHandling, DefaultAfterANestedSendReplaysTheOuterMessage) {
  m_wnd.SendMessage(WM_OUTER, 1, 2);
  EXPECT_TRUE(m_recorder.Matches({
      R::Sent("wnd", WM_OUTER, 0).W(1).L(2),
      R::Marked("outer begin", 0),
      R::Sent("wnd", WM_INNER, 1).W(7).L(8),
      R::Marked("inner", 1),
      R::Base("wnd", WM_INNER, 1).W(7).L(8),
      R::Marked("outer after inner", 0),
      R::Base("wnd", WM_OUTER, 0).W(1).L(2),
      R::Marked("outer end", 0),
  }));
}

constexpr UINT WM_STILL_THERE = WM_APP + 15;

// Paints a character from an index that is out of range, and counts what it
// is told afterwards.
class CFailingPaintWnd : public CWnd {
 public:
  int m_nStillThere = 0;
  wchar_t m_chPainted = 0;
  void OnPaint() {
    CPaintDC dc(this);
    CString text(L"abc");
    m_chPainted = text.GetAt(5);
  }
  LRESULT OnStillThere(WPARAM, LPARAM) { return ++m_nStillThere; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CFailingPaintWnd, CWnd)
  ON_WM_PAINT()
  ON_MESSAGE(WM_STILL_THERE, &CFailingPaintWnd::OnStillThere)
END_MESSAGE_MAP()

// In a thread of its own: which failures were shown is the thread's own.
TEST(HandlerFailures, AFailedPaintIsShownOnceAndTheProgramGoesOn) {
  std::thread([] {
    CFailingPaintWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, R::BaseClassName(), L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
    ReportBoxCloser reports;
    for (int paint = 0; paint < 2; ++paint) {
      wnd.Invalidate();
      wnd.UpdateWindow();
      EXPECT_FALSE(::GetUpdateRect(wnd, nullptr, FALSE)) << "the window was left to paint again";
    }
    EXPECT_EQ(reports.Closed(), 1);
    const std::wstring& report = reports.LastText();
    EXPECT_NE(report.find(L"failed on message 0x000F"), std::wstring::npos) << report;
    EXPECT_NE(report.find(L"basic_string::at"), std::wstring::npos) << report;
    EXPECT_NE(report.find(L"goes on"), std::wstring::npos) << report;
    EXPECT_EQ(wnd.SendMessage(WM_STILL_THERE), 1);
    EXPECT_EQ(AfxGetThreadState().nDispatchDepth, 0);
  }).join();
}

// What a window's closing would save, were it to run after a failure.
std::wstring SavePath() {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"afx-tests-saved-after-failure";
}

class CSavingWnd : public CDefaultWnd {
 public:
  void OnDestroy() {
    ::CloseHandle(::CreateFileW(SavePath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Default();
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSavingWnd, CDefaultWnd)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

// Any other failed handler ends the process once its report is closed, before
// the window's closing could save the state the handler left half-done.
void FailAHandlerThenClose() {
  CSavingWnd wnd;
  if (!CreateOnBase(wnd)) return;
  ReportBoxCloser reports(true);
  wnd.SendMessage(WM_AROUND_THROW, 1, 2);
  wnd.DestroyWindow();
}

TEST(HandlerFailuresDeathTest, AnyOtherFailedHandlerIsShownAndEndsTheProgramWithoutSaving) {
  ::DeleteFileW(SavePath().c_str());
  EXPECT_EXIT(FailAHandlerThenClose(), ::testing::ExitedWithCode(kAfxExitHandlerFailed),
              "report: .*A CWnd handler failed on message 0x800D to window class .*: handler failed .*ends now");
  EXPECT_EQ(::GetFileAttributesW(SavePath().c_str()), INVALID_FILE_ATTRIBUTES) << "the closing window saved";
}

constexpr UINT WM_TEMP_OUTER = WM_APP + 20;
constexpr UINT WM_TEMP_INNER = WM_APP + 21;

// Takes wrappers for a window no object is attached to, at two depths.
class CWrapperWnd : public CWnd {
 public:
  HWND m_hForeign = nullptr;
  CWnd* m_pOuter = nullptr;
  CWnd* m_pInner = nullptr;
  bool m_bOuterValidAfterInner = false;

  LRESULT OnOuter(WPARAM, LPARAM) {
    m_pOuter = FromHandle(m_hForeign);
    SendMessage(WM_TEMP_INNER);
    m_bOuterValidAfterInner = m_pOuter->m_hWnd == m_hForeign && FromHandle(m_hForeign) == m_pOuter;
    return 0;
  }
  LRESULT OnInner(WPARAM, LPARAM) {
    m_pInner = FromHandle(m_hForeign);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CWrapperWnd, CWnd)
  ON_MESSAGE(WM_TEMP_OUTER, &CWrapperWnd::OnOuter)
  ON_MESSAGE(WM_TEMP_INNER, &CWrapperWnd::OnInner)
END_MESSAGE_MAP()

// Whether the wrapper handed out for hWnd is still the one held.
bool StillHeld(HWND hWnd, const CWnd* pHeld) {
  const auto& temporaries = AfxGetThreadState().temporaryWnds;
  auto it = temporaries.find(hWnd);
  return it != temporaries.end() && it->second.get() == pHeld && pHeld->m_hWnd == hWnd;
}

// Held outside every handler, and inside a handler across a nested send, a
// wrapper survives every send; it goes once the thread takes a message from
// its queue outside a handler.
TEST(TemporaryWrappers, LiveUntilTheThreadIsBackInAMessageLoop) {
  CWrapperWnd wnd;
  ASSERT_TRUE(CreateOnBase(wnd));
  wnd.m_hForeign = R::CreateBaseWindow();
  CWnd* pHeld = CWnd::FromHandle(wnd.m_hForeign);
  wnd.SendMessage(WM_TEMP_OUTER);
  wnd.SendMessage(WM_TEMP_OUTER);
  EXPECT_TRUE(wnd.m_bOuterValidAfterInner);
  EXPECT_EQ(wnd.m_pOuter, pHeld);
  EXPECT_EQ(wnd.m_pInner, pHeld);
  EXPECT_TRUE(StillHeld(wnd.m_hForeign, pHeld));
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hForeign), nullptr);

  ::PostMessageW(wnd, WM_NULL, 0, 0);
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_TRUE(AfxGetThreadState().temporaryWnds.empty());
  ::DestroyWindow(wnd.m_hForeign);
}

TEST(TemporaryWrappers, AnAttachedWindowIsItsOwnObjectAndNullStaysNull) {
  CWrapperWnd wnd;
  ASSERT_TRUE(CreateOnBase(wnd));
  EXPECT_EQ(CWnd::FromHandle(wnd), &wnd);
  EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
  EXPECT_EQ(CDC::FromHandle(nullptr), nullptr);
  EXPECT_EQ(CMenu::FromHandle(nullptr), nullptr);
}

TEST(ThreadState, EachThreadAttachesItsOwnWindows) {
  CWnd mine;
  ASSERT_TRUE(CreateOnBase(mine));
  AfxThreadState* pWorkerState = nullptr;
  bool bWorkerSeesMine = true;
  bool bWorkerAttached = false;
  std::thread worker([&] {
    pWorkerState = &AfxGetThreadState();
    bWorkerSeesMine = CWnd::FromHandlePermanent(mine) != nullptr;
    CWnd theirs;
    bWorkerAttached = CreateOnBase(theirs) && CWnd::FromHandlePermanent(theirs) == &theirs;
  });
  worker.join();
  EXPECT_NE(pWorkerState, &AfxGetThreadState());
  EXPECT_FALSE(bWorkerSeesMine);
  EXPECT_TRUE(bWorkerAttached);
  EXPECT_EQ(CWnd::FromHandlePermanent(mine), &mine);
}

}  // namespace
