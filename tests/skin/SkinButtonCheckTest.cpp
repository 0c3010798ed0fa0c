#include <gtest/gtest.h>

#include <set>

#include <array>
#include <cstdio>

#include "ButtonsDialog.h"
#include "MessageRecorder.h"
#include "TestSupport.h"

using namespace skintest;
using R = MessageRecorder;

namespace {

// The template styles IDD_KINDS holds, in control-id order from IDC_KIND_PUSH.
constexpr std::array<UINT, 10> kTemplateTypes = {BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_CHECKBOX,   BS_AUTOCHECKBOX,
                                                 BS_RADIOBUTTON, BS_3STATE,      BS_AUTO3STATE, BS_GROUPBOX,
                                                 BS_AUTORADIOBUTTON, BS_OWNERDRAW};

class CKindsDialog : public CDialog {
 public:
  CKindsDialog() : CDialog(IDD_KINDS) {}
  std::array<CProbeSkinButton, 10> m_buttons;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    for (int i = 0; i < 10; ++i) DDX_Control(pDX, IDC_KIND_PUSH + i, m_buttons[i]);
  }
};

// The kind comes from bit tests on the template style, not from its type
// field; the owner-draw bits are then ORed in without removing any.
TEST(SkinButtonKindTest, KindIsDecidedFromTheTemplateStyleBits) {
  CKindsDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_KINDS));
  const int kinds[] = {CxSkinButton::KindPush, CxSkinButton::KindPush,     CxSkinButton::KindPush,
                       CxSkinButton::KindCheckBox, CxSkinButton::KindPush, CxSkinButton::KindPush,
                       CxSkinButton::KindPush, CxSkinButton::KindCheckBox, CxSkinButton::KindRadio,
                       CxSkinButton::KindCheckBox};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(dlg.m_buttons[i].m_nButtonKind, kinds[i]) << "template type " << kTemplateTypes[i];
    EXPECT_EQ(dlg.m_buttons[i].GetStyle() & 0xF, kTemplateTypes[i] | BS_OWNERDRAW) << "template type " << kTemplateTypes[i];
  }
  dlg.DestroyWindow();
}

class SkinButtonCheckTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dlg.Open(460, 340)); }
  void TearDown() override {
    m_dlg.DestroyWindow();
    PumpMessages();
  }
  static bool Repaints(CWnd& wnd, UINT message, WPARAM wParam) {
    ::ValidateRect(wnd, nullptr);
    wnd.SendMessage(message, wParam);
    RECT rc;
    return ::GetUpdateRect(wnd, &rc, FALSE) != FALSE;
  }
  void WatchGroup(R& log, std::set<UINT> messages) {
    log.Watch(m_dlg.m_btnRadio1, "radio1");
    log.Watch(m_dlg.m_btnRadio2, "radio2");
    log.Watch(m_dlg.m_btnRadio3, "radio3");
    log.Watch(*m_dlg.GetDlgItem(IDC_GROUP_EDIT), "edit");
    log.Watch(m_dlg.m_btnAfter, "after");
    log.Only(std::move(messages));
  }

  CButtonsDialog m_dlg;
};

TEST_F(SkinButtonCheckTest, SetCheckTakesAnyNonZeroValueOnCheckKindsOnly) {
  for (WPARAM w : {1, 2, 0}) {
    EXPECT_TRUE(Repaints(m_dlg.m_btnPush, BM_SETCHECK, w));
    EXPECT_EQ(m_dlg.m_btnPush.GetCheck(), 0) << w;
    EXPECT_TRUE(Repaints(m_dlg.m_btnCheck, BM_SETCHECK, w));
    EXPECT_EQ(m_dlg.m_btnCheck.GetCheck(), w != 0 ? 1 : 0) << w;
  }
  m_dlg.m_btnRadio1.SetCheck(2);
  EXPECT_EQ(m_dlg.m_btnRadio1.GetCheck(), 1);
}

// The posts that uncheck the rest of the group once radio2 is checked, in the
// platform's walk order from radio2.
R::Sequence UncheckTheRestAfterRadio2() {
  return {R::Posted("radio3", WM_SKINBUTTON_UNCHECK, 0).W(0).L(0),
          R::Posted("edit", WM_SKINBUTTON_UNCHECK, 0).W(0).L(0),
          R::Posted("radio1", WM_SKINBUTTON_UNCHECK, 0).W(0).L(0)};
}

// Checking a radio kind posts WM_SKINBUTTON_UNCHECK to every other visible,
// enabled control of its group, whatever its class, in the platform's walk
// order; the posts arrive only when the queue is next dispatched.
TEST_F(SkinButtonCheckTest, CheckingARadioUnchecksTheRestOfItsGroup) {
  m_dlg.m_btnRadio1.SetCheck(1);
  PumpMessages();
  R log;
  WatchGroup(log, {BM_SETCHECK, WM_SKINBUTTON_UNCHECK});
  m_dlg.m_btnRadio2.SetCheck(1);
  EXPECT_TRUE(log.Matches({R::Sent("radio2", BM_SETCHECK, 0).W(1)}));
  EXPECT_EQ(m_dlg.m_btnRadio1.GetCheck(), 1);
  PumpMessages();
  EXPECT_TRUE(log.Matches(R::Sequence{R::Sent("radio2", BM_SETCHECK, 0).W(1)} + UncheckTheRestAfterRadio2()));
  EXPECT_EQ(m_dlg.m_btnRadio1.GetCheck(), 0);
  EXPECT_EQ(m_dlg.m_btnRadio2.GetCheck(), 1);
  EXPECT_EQ(m_dlg.m_btnAfter.GetCheck(), 0);

  // Clearing one radio touches nothing else.
  log.Clear();
  m_dlg.m_btnRadio2.SetCheck(0);
  PumpMessages();
  EXPECT_TRUE(log.Matches({R::Sent("radio2", BM_SETCHECK, 0).W(0)}));
}

TEST_F(SkinButtonCheckTest, DisabledOrHiddenMembersKeepTheirCheck) {
  // Checked together, as no walk of theirs could leave them.
  m_dlg.m_btnRadio2.m_bChecked = true;
  m_dlg.m_btnRadio3.m_bChecked = true;
  m_dlg.m_btnRadio2.EnableWindow(FALSE);
  m_dlg.m_btnRadio3.ShowWindow(SW_HIDE);
  m_dlg.m_btnRadio1.SetCheck(1);
  PumpMessages();
  EXPECT_EQ(m_dlg.m_btnRadio2.GetCheck(), 1);
  EXPECT_EQ(m_dlg.m_btnRadio3.GetCheck(), 1);
}

// The platform's walk skips a disabled or hidden control, so starting from
// one it never comes back: the walk must still end, after one post to each
// other member.
TEST_F(SkinButtonCheckTest, CheckingADisabledOrHiddenRadioEndsTheWalk) {
  for (bool bDisable : {true, false}) {
    CProbeSkinButton& btn = m_dlg.m_btnRadio2;
    if (bDisable) btn.EnableWindow(FALSE);
    else btn.ShowWindow(SW_HIDE);
    R log;
    WatchGroup(log, {WM_SKINBUTTON_UNCHECK});
    btn.SetCheck(1);
    PumpMessages();
    EXPECT_TRUE(log.Matches(UncheckTheRestAfterRadio2()))
        << (bDisable ? "disabled" : "hidden");
    btn.EnableWindow(TRUE);
    btn.ShowWindow(SW_SHOW);
  }
}

TEST_F(SkinButtonCheckTest, UncheckRepaintsOnlyACheckedButton) {
  EXPECT_FALSE(Repaints(m_dlg.m_btnCheck, WM_SKINBUTTON_UNCHECK, 0));
  m_dlg.m_btnCheck.SetCheck(1);
  EXPECT_TRUE(Repaints(m_dlg.m_btnCheck, WM_SKINBUTTON_UNCHECK, 0));
  EXPECT_EQ(m_dlg.m_btnCheck.GetCheck(), 0);
}

// Space toggles a check box at every WM_KEYDOWN, key repeats included; the
// platform's own handling still runs and clicks at the key's release.
TEST_F(SkinButtonCheckTest, SpaceTogglesACheckBoxAtEveryKeyDown) {
  m_dlg.m_btnCheck.SetFocus();
  R log;
  log.Watch(m_dlg.m_btnCheck, "check");
  log.Only({WM_KEYDOWN, WM_KEYUP, BM_SETCHECK});
  m_dlg.m_btnCheck.SendMessage(WM_KEYDOWN, VK_SPACE, 0x00390001);
  m_dlg.m_btnCheck.SendMessage(WM_KEYDOWN, VK_SPACE, 0x40390001);
  m_dlg.m_btnCheck.SendMessage(WM_KEYDOWN, VK_SPACE, 0x40390001);
  m_dlg.m_btnCheck.SendMessage(WM_KEYUP, VK_SPACE, 0xC0390001);
  EXPECT_TRUE(log.Matches({R::Sent("check", WM_KEYDOWN, 0).W(VK_SPACE),
                           R::Sent("check", BM_SETCHECK, 1).W(1),
                           R::Sent("check", WM_KEYDOWN, 0).W(VK_SPACE),
                           R::Sent("check", BM_SETCHECK, 1).W(0),
                           R::Sent("check", WM_KEYDOWN, 0).W(VK_SPACE),
                           R::Sent("check", BM_SETCHECK, 1).W(1),
                           R::Sent("check", WM_KEYUP, 0).W(VK_SPACE),
                           R::Marked("parent BN_CLICKED 422 check 1", 0)}));
}

TEST_F(SkinButtonCheckTest, SpaceOnAPushButtonChecksNothing) {
  m_dlg.m_btnPush.SetFocus();
  R log;
  log.Watch(m_dlg.m_btnPush, "push");
  log.Only({BM_SETCHECK});
  m_dlg.m_btnPush.SendMessage(WM_KEYDOWN, VK_SPACE, 0x00390001);
  m_dlg.m_btnPush.SendMessage(WM_KEYUP, VK_SPACE, 0xC0390001);
  EXPECT_TRUE(log.Matches({R::Marked("parent BN_CLICKED 421 check 0", 0)}));
}

// A release over a check box toggles it even when the press began elsewhere,
// before the platform's click, so the parent sees the new state.
TEST_F(SkinButtonCheckTest, ReleaseOverACheckBoxTogglesBeforeTheClick) {
  R log;
  log.Watch(m_dlg.m_btnCheck, "check");
  log.Only({WM_LBUTTONUP, BM_SETCHECK});
  m_dlg.m_btnCheck.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  m_dlg.m_btnCheck.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(30, 5));  // over the dialog, not the button
  EXPECT_TRUE(log.Matches({R::Sent("check", WM_LBUTTONUP, 0).W(0).L(MAKELPARAM(5, 5)),
                           R::Sent("check", BM_SETCHECK, 1).W(1),
                           R::Sent("check", WM_LBUTTONUP, 0).W(0).L(MAKELPARAM(30, 5))}));
  EXPECT_EQ(m_dlg.m_btnCheck.GetCheck(), 1);
}

// A radio kind checks itself on a release over it, again and again.
TEST_F(SkinButtonCheckTest, ReleaseOverARadioChecksIt) {
  for (int i = 0; i < 2; ++i) m_dlg.m_btnRadio3.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(m_dlg.m_btnRadio3.GetCheck(), 1);
}

R::Expected RelayOf(HWND hWnd, UINT message, WPARAM wParam, int x, int y) {
  char text[160];
  snprintf(text, sizeof(text), "{hwnd %p msg 0x%x w %u l 0x%08x time 0 pt %d,%d}", static_cast<void*>(hWnd), message,
           static_cast<unsigned>(wParam), static_cast<unsigned>(MAKELPARAM(x, y)), x & 0xFFFF, y & 0xFFFF);
  return R::Sent("tip", TTM_RELAYEVENT, 1).Params(text);
}

// The tool tip is created with the first text and keeps its one tool; mouse
// messages are relayed to it with the client point (not a screen point) and
// time 0: first thing on a press and a move, after the check action on a release.
TEST_F(SkinButtonCheckTest, ToolTipGetsItsTextAndTheMouseMessages) {
  CProbeSkinButton& btn = m_dlg.m_btnCheck;
  btn.SetToolTipText(L"Close");
  const HWND hTip = btn.m_wndToolTip.GetSafeHwnd();
  ASSERT_NE(hTip, nullptr);
  btn.SetToolTipText(L"Shut");
  EXPECT_EQ(btn.m_wndToolTip.GetSafeHwnd(), hTip);
  EXPECT_EQ(::SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0), 1);
  wchar_t text[32] = {};
  TOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.hwnd = m_dlg;
  ti.uId = reinterpret_cast<UINT_PTR>(btn.m_hWnd);
  ti.lpszText = text;
  ::SendMessageW(hTip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&ti));
  EXPECT_STREQ(text, L"Shut");

  R log;
  log.Watch(btn, "check");
  log.Watch(hTip, "tip");
  log.Only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, BM_SETCHECK, TTM_RELAYEVENT});
  btn.SendMessage(WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(-3, 7));
  btn.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 5));
  btn.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(4, 6));
  PumpMessages();
  EXPECT_TRUE(log.Matches({R::Sent("check", WM_MOUSEMOVE, 0).W(MK_SHIFT).L(MAKELPARAM(-3, 7)),
                           RelayOf(btn, WM_MOUSEMOVE, MK_SHIFT, -3, 7),
                           R::Sent("check", WM_LBUTTONDOWN, 0).W(MK_LBUTTON).L(MAKELPARAM(4, 5)),
                           RelayOf(btn, WM_LBUTTONDOWN, MK_LBUTTON, 4, 5),
                           R::Sent("check", WM_LBUTTONUP, 0).W(0).L(MAKELPARAM(4, 6)),
                           R::Sent("check", BM_SETCHECK, 1).W(1),
                           RelayOf(btn, WM_LBUTTONUP, 0, 4, 6),
                           R::Marked("parent BN_CLICKED 422 check 1", 0)}));
}

}  // namespace
