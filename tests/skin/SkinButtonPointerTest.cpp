#include <gtest/gtest.h>

#include "ButtonsDialog.h"
#include "MessageRecorder.h"
#include "TestSupport.h"

using namespace skintest;
using R = MessageRecorder;

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);  // the normal picture's top-left cell
constexpr COLORREF kDown = RGB(0, 160, 0);
constexpr COLORREF kOver = RGB(0, 160, 160);
constexpr COLORREF kFocus = RGB(160, 160, 0);
// The leave report comes from a timer, some hundred milliseconds after the pointer went.
constexpr DWORD kLeaveTimeoutMs = 2000;
constexpr DWORD kInputTimeoutMs = 1000;

// The real pointer and button over a dialog of skin buttons. Pointer moves
// reach the buttons as the platform delivers them; every wait pumps messages
// with a deadline.
class SkinButtonPointerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dlg.Open(700, 500));
    // The focus picture is a look of its own: no button starts with the focus.
    ::SetFocus(nullptr);
    Park();
  }
  void TearDown() override {
    ReleaseLeft();
    PumpMessages();
    m_dlg.DestroyWindow();
    PumpMessages();
  }

  // Moves the pointer over the dialog, off every button, and lets the moves settle.
  void Park() {
    MovePointerToClient(m_dlg, 150 + m_nJiggle, 90);
    m_nJiggle = 1 - m_nJiggle;  // a pointer put back on the pixel it left from does not move
    PumpUntil([] { return false; }, 50);
  }
  void MoveTo(CWnd& wnd, int x, int y) {
    MovePointerToClient(wnd, x, y);
    PumpUntil([] { return false; }, 30);
  }
  bool Pushed(CxSkinButton& btn) { return (btn.GetState() & BST_PUSHED) != 0; }
  COLORREF Face(CWnd& btn) { return CClientPixels(btn).At(2, 2); }
  bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = kInputTimeoutMs) {
    return PumpUntil(done, timeoutMs);
  }

  CButtonsDialog m_dlg;
  CProbeSkinButton& m_push = m_dlg.m_btnPush;
  int m_nJiggle = 0;
};

// Hover asks for a leave report once; the leave clears the hover look.
TEST_F(SkinButtonPointerTest, HoverAndLeave) {
  R log;
  log.Watch(m_push, "push");
  log.Only({WM_MOUSEMOVE, WM_MOUSELEAVE});
  MoveTo(m_push, 5, 5);
  ASSERT_TRUE(WaitFor([&] { return m_push.m_bMouseOver; }));
  EXPECT_EQ(Face(m_push), kOver);
  MoveTo(m_push, 6, 5);
  EXPECT_TRUE(m_push.m_bMouseOver);
  Park();
  ASSERT_TRUE(WaitFor([&] { return !m_push.m_bMouseOver; }, kLeaveTimeoutMs));
  PumpMessages();
  EXPECT_EQ(Face(m_push), kRed);
  EXPECT_TRUE(log.Matches({R::Posted("push", WM_MOUSEMOVE, 0).W(0).L(MAKELPARAM(5, 5)),
                           R::Posted("push", WM_MOUSEMOVE, 0).W(0).L(MAKELPARAM(6, 5)),
                           R::Posted("push", WM_MOUSELEAVE, 0)}));
}

TEST_F(SkinButtonPointerTest, HoverOverTheFocusedButtonShowsTheOverPicture) {
  m_push.SetFocus();
  MoveTo(m_push, 5, 5);
  ASSERT_TRUE(WaitFor([&] { return m_push.m_bMouseOver; }));
  PumpMessages();
  EXPECT_EQ(Face(m_push), kOver);
}

// Press, drag off and back, release inside: the pressed look goes while the
// pointer is off the button and comes back; the click arrives without the
// hover look, which returns only with the next move (here the one the
// platform makes when the capture goes).
TEST_F(SkinButtonPointerTest, PressDragOffAndBackReleaseInside) {
  MoveTo(m_push, 5, 5);
  ASSERT_TRUE(WaitFor([&] { return m_push.m_bMouseOver; }));
  R log;
  log.Watch(m_push, "push");
  log.Only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_MOUSELEAVE, BM_SETSTATE});

  PressLeft();
  ASSERT_TRUE(WaitFor([&] { return m_push.m_bLButtonDown; }));
  EXPECT_FALSE(m_push.m_bMouseOver);  // the leave request was cancelled
  EXPECT_EQ(::GetCapture(), m_push.m_hWnd);
  EXPECT_TRUE(Pushed(m_push));
  PumpMessages();
  EXPECT_EQ(Face(m_push), kDown);

  MoveTo(m_dlg, 150, 90);
  ASSERT_TRUE(WaitFor([&] { return !Pushed(m_push); }));
  PumpMessages();
  EXPECT_EQ(Face(m_push), kFocus);  // the press gave it the focus
  EXPECT_TRUE(m_push.m_bLButtonDown);

  MoveTo(m_push, 6, 6);
  ASSERT_TRUE(WaitFor([&] { return Pushed(m_push); }));
  PumpMessages();
  EXPECT_EQ(Face(m_push), kDown);

  ReleaseLeft();
  ASSERT_TRUE(WaitFor([&] { return m_dlg.m_nClicks == 1; }));
  EXPECT_FALSE(m_dlg.m_bHoverAtLastClick);
  EXPECT_FALSE(m_push.m_bLButtonDown);
  EXPECT_EQ(::GetCapture(), nullptr);
  ASSERT_TRUE(WaitFor([&] { return m_push.m_bMouseOver; }));
  PumpMessages();
  EXPECT_EQ(Face(m_push), kOver);
  EXPECT_TRUE(log.Matches({R::Posted("push", WM_LBUTTONDOWN, 0).W(MK_LBUTTON).L(MAKELPARAM(5, 5)),
                           R::Sent("push", BM_SETSTATE, 1).W(1),  // the platform's press
                           R::Posted("push", WM_MOUSEMOVE, 0).W(MK_LBUTTON).L(MAKELPARAM(140, 80)),
                           R::Sent("push", BM_SETSTATE, 1).W(0),  // ours: off the button
                           R::Sent("push", BM_SETSTATE, 1).W(0),  // the platform's own tracking
                           R::Posted("push", WM_MOUSEMOVE, 0).W(MK_LBUTTON).L(MAKELPARAM(6, 6)),
                           R::Sent("push", BM_SETSTATE, 1).W(1),
                           R::Sent("push", BM_SETSTATE, 1).W(1),
                           R::Posted("push", WM_LBUTTONUP, 0).W(0).L(MAKELPARAM(6, 6)),
                           R::Sent("push", BM_SETSTATE, 1).W(0),
                           R::Marked("parent BN_CLICKED 421 check 0", 0),
                           R::Posted("push", WM_MOUSEMOVE, 0).W(0).L(MAKELPARAM(6, 6))}));
}

TEST_F(SkinButtonPointerTest, ReleaseOutsideNeitherClicksNorChecks) {
  CProbeSkinButton& check = m_dlg.m_btnCheck;
  MoveTo(check, 5, 5);
  PressLeft();
  ASSERT_TRUE(WaitFor([&] { return check.m_bLButtonDown; }));
  MoveTo(m_dlg, 150, 90);
  ASSERT_TRUE(WaitFor([&] { return !Pushed(check); }));
  ReleaseLeft();
  ASSERT_TRUE(WaitFor([&] { return !check.m_bLButtonDown; }));
  PumpMessages();
  EXPECT_EQ(m_dlg.m_nClicks, 0);
  EXPECT_EQ(check.GetCheck(), 0);
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(SkinButtonPointerTest, ReleaseInsideTogglesTheCheckBoxBeforeTheClick) {
  CProbeSkinButton& check = m_dlg.m_btnCheck;
  R log;
  log.Watch(check, "check");
  log.Only({WM_LBUTTONUP, BM_SETCHECK});
  for (int nExpected : {1, 0}) {
    MoveTo(check, 5 + nExpected, 5);
    PressLeft();
    ReleaseLeft();
    ASSERT_TRUE(WaitFor([&] { return check.GetCheck() == nExpected && !check.m_bLButtonDown; }));
    Park();  // two clicks in a row would be a double click
    PumpUntil([] { return false; }, ::GetDoubleClickTime());
  }
  EXPECT_TRUE(log.Matches({R::Posted("check", WM_LBUTTONUP, 0).W(0).L(MAKELPARAM(6, 5)),
                           R::Sent("check", BM_SETCHECK, 1).W(1),
                           R::Marked("parent BN_CLICKED 422 check 1", 0),
                           R::Posted("check", WM_LBUTTONUP, 0).W(0).L(MAKELPARAM(5, 5)),
                           R::Sent("check", BM_SETCHECK, 1).W(0),
                           R::Marked("parent BN_CLICKED 422 check 0", 0)}));
}

TEST_F(SkinButtonPointerTest, LosingTheFocusDuringAPressEndsIt) {
  MoveTo(m_push, 5, 5);
  PressLeft();
  ASSERT_TRUE(WaitFor([&] { return m_push.m_bLButtonDown; }));
  ASSERT_EQ(::GetCapture(), m_push.m_hWnd);
  m_dlg.m_btnAfter.SetFocus();
  EXPECT_FALSE(m_push.m_bLButtonDown);
  EXPECT_EQ(::GetCapture(), nullptr);
  ReleaseLeft();
  PumpUntil([] { return false; }, 50);
  EXPECT_EQ(m_dlg.m_nClicks, 0);
  EXPECT_FALSE(Pushed(m_push));
}

// The second press of a double click reaches the button, and the platform's
// handling behind it, as WM_LBUTTONDOWN: two clicks and no double click.
TEST_F(SkinButtonPointerTest, DoubleClickGivesTwoPresses) {
  MoveTo(m_push, 5, 5);
  R log;
  log.Watch(m_push, "push");
  log.Only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK});
  PressLeft();
  ReleaseLeft();
  PressLeft();
  ReleaseLeft();
  ASSERT_TRUE(WaitFor([&] { return m_dlg.m_nClicks == 2; }));
  PumpMessages();
  EXPECT_EQ(m_dlg.m_nDoubleClicks, 0);
  EXPECT_TRUE(log.Matches({R::Posted("push", WM_LBUTTONDOWN, 0).W(MK_LBUTTON).L(MAKELPARAM(5, 5)),
                           R::Posted("push", WM_LBUTTONUP, 0).W(0).L(MAKELPARAM(5, 5)),
                           R::Marked("parent BN_CLICKED 421 check 0", 0),
                           R::Posted("push", WM_LBUTTONDBLCLK, 0).W(MK_LBUTTON).L(MAKELPARAM(5, 5)),
                           R::Sent("push", WM_LBUTTONDOWN, 1).W(MK_LBUTTON).L(MAKELPARAM(5, 5)),
                           R::Posted("push", WM_LBUTTONUP, 0).W(0).L(MAKELPARAM(5, 5)),
                           R::Marked("parent BN_CLICKED 421 check 0", 0)}));
}

}  // namespace
