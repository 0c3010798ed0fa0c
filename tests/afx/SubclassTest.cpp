// Attaching objects to existing windows and letting go of them again: the
// order of PreSubclassWindow, who is left holding the window procedure, and
// what a window that outlives its object still reaches.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MessageRecorder.h"
#include "afxwin.h"

namespace {

using R = MessageRecorder;

constexpr UINT WM_PROBE = WM_APP + 30;
// Handled by the object, then passed on down the chain.
constexpr UINT WM_PASS = WM_APP + 31;

WNDPROC ProcOf(HWND hWnd) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)); }
WNDPROC BaseProcOf(HWND hWnd) { return reinterpret_cast<WNDPROC>(::GetClassLongPtrW(hWnd, GCLP_WNDPROC)); }

class CProbeWnd : public CWnd {
 public:
  WNDPROC m_procAtPreSubclass = nullptr;
  bool m_bAttachedAtPreSubclass = false;

  void PreSubclassWindow() override {
    m_procAtPreSubclass = ProcOf(m_hWnd);
    m_bAttachedAtPreSubclass = FromHandlePermanent(m_hWnd) == this;
    R::Mark("PreSubclassWindow");
    SendMessage(WM_PROBE, 1);
  }
  LRESULT OnProbe(WPARAM wParam, LPARAM) {
    R::Mark("OnProbe " + std::to_string(wParam));
    return 0;
  }
  LRESULT OnPass(WPARAM, LPARAM) {
    R::Mark("ours");
    return Default();
  }
  void OnDestroy() {
    R::Mark("OnDestroy");
    Default();
  }
  void PostNcDestroy() override { R::Mark("PostNcDestroy"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
  ON_MESSAGE(WM_PROBE, &CProbeWnd::OnProbe)
  ON_MESSAGE(WM_PASS, &CProbeWnd::OnPass)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

// A procedure that someone installs in front of ours after we attached.
WNDPROC g_behindFront = nullptr;
WNDPROC g_procAfterNcDestroy = nullptr;
LRESULT CALLBACK FrontProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PASS) R::Mark("front");
  LRESULT result = ::CallWindowProcW(g_behindFront, hWnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) g_procAfterNcDestroy = ProcOf(hWnd);
  return result;
}
void InstallFront(HWND hWnd) {
  g_behindFront = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrontProc)));
}

class Subclassing : public ::testing::Test {
 protected:
  void SetUp() override {
    m_hWnd = R::CreateBaseWindow();
    m_recorder.Watch(m_hWnd, "wnd");
    m_recorder.Only({WM_PROBE, WM_PASS, WM_DESTROY, WM_NCDESTROY});
  }
  void TearDown() override {
    if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
  }
  HWND m_hWnd = nullptr;
  R m_recorder;
};

TEST_F(Subclassing, PreSubclassWindowRunsAttachedButBeforeTheProcedureIsReplaced) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.SubclassWindow(m_hWnd));
  wnd.SendMessage(WM_PROBE, 2);
  EXPECT_TRUE(wnd.m_bAttachedAtPreSubclass);
  EXPECT_EQ(wnd.m_procAtPreSubclass, BaseProcOf(m_hWnd));
  EXPECT_EQ(ProcOf(m_hWnd), &AfxWndProc);
  EXPECT_TRUE(m_recorder.Matches({
      R::Marked("PreSubclassWindow", 0),
      R::Sent("wnd", WM_PROBE, 0).W(1),
      R::Base("wnd", WM_PROBE, 0).W(1),
      R::Sent("wnd", WM_PROBE, 0).W(2),
      R::Marked("OnProbe 2", 0),
  }));
}

TEST_F(Subclassing, AWindowTakesOneObjectAndAnObjectOneWindow) {
  CProbeWnd first;
  CProbeWnd second;
  ASSERT_TRUE(first.SubclassWindow(m_hWnd));
  m_recorder.Clear();
  EXPECT_FALSE(second.SubclassWindow(m_hWnd));
  HWND hOther = R::CreateBaseWindow();
  EXPECT_FALSE(first.SubclassWindow(hOther));
  ::DestroyWindow(hOther);
  EXPECT_EQ(second.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(m_hWnd), &first);
  EXPECT_TRUE(m_recorder.Matches({}));
}

TEST_F(Subclassing, UnsubclassPutsThePreviousProcedureBack) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.SubclassWindow(m_hWnd));
  EXPECT_EQ(wnd.UnsubclassWindow(), m_hWnd);
  EXPECT_EQ(ProcOf(m_hWnd), BaseProcOf(m_hWnd));
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(m_hWnd), nullptr);
}

// Orders of subclassing, unsubclassing and letting go, with another procedure
// ("front") installed above or below ours. After each order a message must
// pass every procedure in the chain once, top to bottom, and the window's own
// procedure last; unsubclassing is refused while front sits above ours.
enum class Step { Subclass, Unsubclass, Refused, Detach, FrontOn, FrontOff };

struct Order {
  const char* name;
  std::vector<Step> steps;
  std::vector<std::string> passes;  // what the message passes, top to bottom
};

class SubclassOrders : public Subclassing, public ::testing::WithParamInterface<Order> {};

TEST_P(SubclassOrders, EveryProcedureSeesTheMessageOnceAndTheWindowsOwnLast) {
  CProbeWnd wnd;
  WNDPROC procBeforeSubclass = nullptr;
  for (Step step : GetParam().steps) {
    switch (step) {
      case Step::Subclass:
        if (ProcOf(m_hWnd) != &AfxWndProc) procBeforeSubclass = ProcOf(m_hWnd);
        ASSERT_TRUE(wnd.SubclassWindow(m_hWnd));
        break;
      case Step::Unsubclass: ASSERT_EQ(wnd.UnsubclassWindow(), m_hWnd); break;
      case Step::Refused:
        ASSERT_EQ(wnd.UnsubclassWindow(), nullptr);
        ASSERT_EQ(CWnd::FromHandlePermanent(m_hWnd), &wnd) << "a refused object stays attached";
        break;
      case Step::Detach: ASSERT_EQ(wnd.Detach(), m_hWnd); break;
      case Step::FrontOn: InstallFront(m_hWnd); break;
      case Step::FrontOff:
        ASSERT_EQ(ProcOf(m_hWnd), &FrontProc);
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_behindFront));
        break;
    }
  }
  R::Sequence expected{R::Sent("wnd", WM_PASS, 0)};
  for (const std::string& pass : GetParam().passes) expected.push_back(R::Marked(pass, 0));
  expected.push_back(R::Base("wnd", WM_PASS, 0));
  m_recorder.Clear();
  ::SendMessageW(m_hWnd, WM_PASS, 0, 0);
  EXPECT_TRUE(m_recorder.Matches(expected));
  if (wnd.m_hWnd != nullptr && ProcOf(m_hWnd) == &AfxWndProc) {
    wnd.UnsubclassWindow();
    EXPECT_EQ(ProcOf(m_hWnd), procBeforeSubclass) << "the last unsubclass leaves the chain as it found it";
  }
}

using S = Step;
INSTANTIATE_TEST_SUITE_P(
    Subclassing, SubclassOrders,
    ::testing::Values(
        Order{"SubclassUnsubclass", {S::Subclass, S::Unsubclass}, {}},
        Order{"FrontAboveRefusesUnsubclass", {S::Subclass, S::FrontOn, S::Refused}, {"front", "ours"}},
        Order{"UnsubclassOnceFrontIsGone",
              {S::Subclass, S::FrontOn, S::Refused, S::FrontOff, S::Unsubclass, S::Subclass},
              {"ours"}},
        Order{"FrontBelowLetsUsGo", {S::FrontOn, S::Subclass, S::Unsubclass}, {"front"}},
        Order{"FrontBelowStaysBelow", {S::FrontOn, S::Subclass}, {"ours", "front"}},
        Order{"DetachedUnderFrontThenSubclassedAgain", {S::Subclass, S::FrontOn, S::Detach, S::Subclass},
              {"front", "ours"}},
        Order{"DetachedUnderFrontSubclassedAgainStillRefuses",
              {S::Subclass, S::FrontOn, S::Detach, S::Subclass, S::Refused},
              {"front", "ours"}},
        Order{"DetachedUnderFrontThatLeavesThenSubclassed",
              {S::Subclass, S::FrontOn, S::Detach, S::FrontOff, S::Subclass},
              {"ours"}},
        Order{"UnsubclassedThenFrontThenSubclassed", {S::Subclass, S::Unsubclass, S::FrontOn, S::Subclass},
              {"ours", "front"}},
        Order{"DetachedAndLeftUnderFront", {S::Subclass, S::FrontOn, S::Detach}, {"front"}}),
    [](const ::testing::TestParamInfo<Order>& info) { return std::string(info.param.name); });

TEST_F(Subclassing, DestructionDetachesAfterNcDestroyWithoutCuttingOffALaterSubclasser) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.SubclassWindow(m_hWnd));
  InstallFront(m_hWnd);
  m_recorder.Clear();
  g_procAfterNcDestroy = nullptr;
  ::DestroyWindow(m_hWnd);
  EXPECT_EQ(g_procAfterNcDestroy, &FrontProc);
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(m_hWnd), nullptr);
  EXPECT_TRUE(m_recorder.Matches({
      R::Sent("wnd", WM_DESTROY, 0),
      R::Marked("OnDestroy", 0),
      R::Base("wnd", WM_DESTROY, 0),
      R::Sent("wnd", WM_NCDESTROY, 0),
      R::Base("wnd", WM_NCDESTROY, 0),
      R::Marked("PostNcDestroy", 0),
  }));
}

TEST_F(Subclassing, AWindowDetachedEarlierReachesItsOwnProcedureAfterTheObjectIsGone) {
  auto wnd = std::make_unique<CProbeWnd>();
  ASSERT_TRUE(wnd->SubclassWindow(m_hWnd));
  EXPECT_EQ(wnd->Detach(), m_hWnd);
  wnd.reset();
  m_recorder.Clear();
  ::SendMessageW(m_hWnd, WM_PROBE, 4, 0);
  ::DestroyWindow(m_hWnd);
  EXPECT_TRUE(m_recorder.Matches({
      R::Sent("wnd", WM_PROBE, 0).W(4),
      R::Base("wnd", WM_PROBE, 0).W(4),
      R::Sent("wnd", WM_DESTROY, 0),
      R::Base("wnd", WM_DESTROY, 0),
      R::Sent("wnd", WM_NCDESTROY, 0),
      R::Base("wnd", WM_NCDESTROY, 0),
  }));
}

TEST_F(Subclassing, AWindowDetachedEarlierKeepsItsProcedureBehindTheNextObject) {
  CProbeWnd first;
  ASSERT_TRUE(first.SubclassWindow(m_hWnd));
  first.Detach();
  CProbeWnd second;
  ASSERT_TRUE(second.SubclassWindow(m_hWnd));
  m_recorder.Clear();
  second.SendMessage(WM_DESTROY);
  EXPECT_TRUE(m_recorder.Matches({
      R::Sent("wnd", WM_DESTROY, 0),
      R::Marked("OnDestroy", 0),
      R::Base("wnd", WM_DESTROY, 0),
  }));
  second.UnsubclassWindow();
  EXPECT_EQ(ProcOf(m_hWnd), BaseProcOf(m_hWnd));
}

TEST_F(Subclassing, AnObjectDestroyedBeforeItsWindowTakesTheWindowWithItButRunsNoDerivedHandler) {
  auto wnd = std::make_unique<CProbeWnd>();
  ASSERT_TRUE(wnd->SubclassWindow(m_hWnd));
  m_recorder.Clear();
  wnd.reset();
  EXPECT_FALSE(::IsWindow(m_hWnd));
  EXPECT_TRUE(m_recorder.Matches({
      R::Sent("wnd", WM_DESTROY, 0),
      R::Base("wnd", WM_DESTROY, 0),
      R::Sent("wnd", WM_NCDESTROY, 0),
      R::Base("wnd", WM_NCDESTROY, 0),
  }));
}

}  // namespace
