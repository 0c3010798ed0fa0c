// The control wrappers: edit selection and replacement, button check and
// state, tool tips, and the system menu.
#include <gtest/gtest.h>

#include <string>

#include "MessageRecorder.h"
#include "afxwin.h"

namespace {

using R = MessageRecorder;

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_parent.CreateEx(0, R::BaseClassName(), L"", WS_POPUP | WS_VISIBLE | WS_SYSMENU,
                                  CRect(0, 0, 300, 200), nullptr, 0));
  }
  HWND CreateChild(LPCWSTR className, DWORD style, LPCWSTR text = L"") {
    return ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, 10, 120, 22, m_parent,
                             nullptr, nullptr, nullptr);
  }
  CWnd m_parent;
};

TEST_F(Controls, EditSetSelScrollsTheCaretUnlessToldNotTo) {
  CEdit edit;
  ASSERT_TRUE(edit.SubclassWindow(CreateChild(L"EDIT", ES_AUTOHSCROLL, L"0123456789")));
  R recorder;
  recorder.Watch(edit, "edit");
  recorder.Only({EM_SETSEL, EM_SCROLLCARET});
  edit.SetSel(2, 5);
  edit.SetSel(1, 3, TRUE);
  EXPECT_TRUE(recorder.Matches({
      R::Sent("edit", EM_SETSEL, 0).W(2).L(5),
      R::Sent("edit", EM_SCROLLCARET, 0),
      R::Sent("edit", EM_SETSEL, 0).W(1).L(3),
  }));
  DWORD start = 0;
  DWORD end = 0;
  edit.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 3u);
}

TEST_F(Controls, EditReplaceSelReplacesTheSelectionAndKeepsUndoOnlyWhenAsked) {
  CEdit edit;
  ASSERT_TRUE(edit.SubclassWindow(CreateChild(L"EDIT", ES_AUTOHSCROLL, L"0123456789")));
  edit.SetSel(2, 5);
  edit.ReplaceSel(L"ab", TRUE);
  CString text;
  edit.GetWindowText(text);
  EXPECT_EQ(text, L"01ab56789");
  EXPECT_TRUE(edit.SendMessage(EM_CANUNDO));
  edit.SendMessage(EM_EMPTYUNDOBUFFER);
  edit.SetSel(8, 9);
  edit.ReplaceSel(L"");
  edit.GetWindowText(text);
  EXPECT_EQ(text, L"01ab5678");
  EXPECT_FALSE(edit.SendMessage(EM_CANUNDO));
}

TEST_F(Controls, ButtonCheckAndPushedState) {
  CButton box;
  ASSERT_TRUE(box.SubclassWindow(CreateChild(L"BUTTON", BS_AUTOCHECKBOX, L"Box")));
  EXPECT_EQ(box.GetButtonStyle(), static_cast<UINT>(BS_AUTOCHECKBOX));
  EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
  box.SetCheck(BST_CHECKED);
  EXPECT_EQ(box.GetCheck(), BST_CHECKED);
  EXPECT_EQ(box.GetState() & BST_CHECKED, static_cast<UINT>(BST_CHECKED));
  box.SetState(TRUE);
  EXPECT_NE(box.GetState() & BST_PUSHED, 0u);
  box.SetState(FALSE);
  EXPECT_EQ(box.GetState() & BST_PUSHED, 0u);
}

std::wstring ToolText(CToolTipCtrl& tip, HWND hTool) {
  wchar_t buffer[256] = {};
  TOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.hwnd = ::GetParent(hTool);
  ti.uId = reinterpret_cast<UINT_PTR>(hTool);
  ti.lpszText = buffer;
  if (!tip.SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti))) return L"<no tool>";
  EXPECT_NE(ti.uFlags & TTF_IDISHWND, 0u);
  tip.SendMessage(TTM_GETTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  return buffer;
}

TEST_F(Controls, ToolTipTakesAWindowAsToolAndUpdatesItsText) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES};
  ASSERT_TRUE(::InitCommonControlsEx(&init));
  CButton button;
  ASSERT_TRUE(button.SubclassWindow(CreateChild(L"BUTTON", BS_PUSHBUTTON, L"Go")));
  CToolTipCtrl tip;
  ASSERT_TRUE(tip.Create(&button));
  EXPECT_EQ(::GetWindow(tip, GW_OWNER), m_parent.m_hWnd);
  EXPECT_EQ(ToolText(tip, button), L"<no tool>");
  ASSERT_TRUE(tip.AddTool(&button, L"Minimize"));
  EXPECT_EQ(tip.SendMessage(TTM_GETTOOLCOUNT), 1);
  EXPECT_EQ(ToolText(tip, button), L"Minimize");
  tip.UpdateTipText(L"Close", &button);
  EXPECT_EQ(ToolText(tip, button), L"Close");
}

TEST_F(Controls, SystemMenuTakesAppendedItems) {
  CMenu* pMenu = m_parent.GetSystemMenu(FALSE);
  ASSERT_NE(pMenu, nullptr);
  const int before = pMenu->GetMenuItemCount();
  ASSERT_GT(before, 0);
  EXPECT_TRUE(pMenu->AppendMenu(MF_SEPARATOR));
  EXPECT_TRUE(pMenu->AppendMenu(MF_STRING, 0x0010, L"&About..."));
  EXPECT_EQ(pMenu->GetMenuItemCount(), before + 2);
  wchar_t text[64] = {};
  ::GetMenuStringW(pMenu->m_hMenu, 0x0010, text, 64, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"&About...");
  EXPECT_NE(::GetMenuState(pMenu->m_hMenu, before, MF_BYPOSITION) & MF_SEPARATOR, 0u);
  EXPECT_EQ(m_parent.GetSystemMenu(FALSE)->m_hMenu, pMenu->m_hMenu);
}

}  // namespace
