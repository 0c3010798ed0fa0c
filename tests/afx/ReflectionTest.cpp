// Notifications and requests that a parent hands back to the child control
// they came from: edit notifications, colour requests and owner drawing.
#include <gtest/gtest.h>

#include <string>

#include "MessageRecorder.h"
#include "afxwin.h"

namespace {

using R = MessageRecorder;

constexpr UINT IDC_EDIT = 300;
constexpr UINT IDC_OWNER_DRAWN = 301;
constexpr UINT IDC_UNBOUND_OWNER_DRAWN = 302;
constexpr COLORREF kChildBkColor = RGB(1, 2, 3);

class CReflectingEdit : public CEdit {
 public:
  HBRUSH m_hBrush = nullptr;
  HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) {
    R::Mark("edit CtlColor " + std::to_string(nCtlColor));
    pDC->SetBkColor(kChildBkColor);
    return m_hBrush;
  }
  void OnUpdate() { R::Mark("edit OnUpdate"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CReflectingEdit, CEdit)
  ON_WM_CTLCOLOR_REFLECT()
  ON_CONTROL_REFLECT(EN_UPDATE, &CReflectingEdit::OnUpdate)
END_MESSAGE_MAP()

class COwnerDrawnButton : public CButton {
 public:
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override {
    R::Mark("DrawItem " + std::to_string(lpDrawItemStruct->CtlID));
  }
};

class CParentWnd : public CWnd {
 public:
  void OnChange() { R::Mark("parent OnChange"); }
  void OnParentUpdate() { R::Mark("parent OnUpdate"); }
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    R::Mark("parent OnCtlColor begin");
    HBRUSH brush = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    R::Mark("parent OnCtlColor end");
    return brush;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
  ON_EN_CHANGE(IDC_EDIT, &CParentWnd::OnChange)
  ON_EN_UPDATE(IDC_EDIT, &CParentWnd::OnParentUpdate)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

class Reflection : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_parent.CreateEx(0, R::BaseClassName(), L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200),
                                  nullptr, 0));
    m_hEdit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 100, 20,
                                m_parent, reinterpret_cast<HMENU>(IDC_EDIT), nullptr, nullptr);
    ASSERT_TRUE(m_edit.SubclassWindow(m_hEdit));
    m_recorder.Watch(m_parent, "parent");
    m_recorder.Watch(m_hEdit, "edit");
  }
  HBRUSH SendColourRequest(UINT message) {
    return reinterpret_cast<HBRUSH>(
        m_parent.SendMessage(message, reinterpret_cast<WPARAM>(m_hDC), reinterpret_cast<LPARAM>(m_hEdit)));
  }

  CParentWnd m_parent;
  CReflectingEdit m_edit;
  HWND m_hEdit = nullptr;
  HDC m_hDC = ::CreateCompatibleDC(nullptr);
  R m_recorder;

  ~Reflection() override { ::DeleteDC(m_hDC); }
};

// A new text's two notices from the edit: the edit takes EN_UPDATE back from
// its parent, and the parent still handles EN_CHANGE.
R::Sequence EditNotices(LPARAM from) {
  return {
      R::Sent("parent", WM_COMMAND, 1).W(MAKEWPARAM(IDC_EDIT, EN_UPDATE)).L(from),
      R::Marked("edit OnUpdate", 1),
      R::Sent("parent", WM_COMMAND, 1).W(MAKEWPARAM(IDC_EDIT, EN_CHANGE)).L(from),
      R::Marked("parent OnChange", 1),
  };
}

TEST_F(Reflection, ChildTakesEnUpdateFirstAndTheParentStillGetsEnChange) {
  m_recorder.Only({WM_SETTEXT, WM_COMMAND});
  m_edit.SetWindowText(L"12");
  const LPARAM from = reinterpret_cast<LPARAM>(m_hEdit);
  EXPECT_TRUE(m_recorder.Matches(R::Sequence{R::Sent("edit", WM_SETTEXT, 0)} + EditNotices(from)));
}

// A text the field shows already is not sent again: no repaint, no change notice.
TEST_F(Reflection, TheTextShownAlreadyIsNotSentAgain) {
  m_recorder.Only({WM_SETTEXT, WM_COMMAND});
  m_edit.SetWindowText(L"12");
  m_recorder.Clear();
  m_edit.SetWindowText(L"12");
  m_edit.SetWindowText(L"123");
  EXPECT_TRUE(m_recorder.Matches(R::Sequence{R::Sent("edit", WM_SETTEXT, 0).Params("\"123\"")} +
                                 EditNotices(reinterpret_cast<LPARAM>(m_hEdit))));
  // A text that only starts like a long one shown is still sent.
  const std::wstring strLong(300, L'7');
  m_edit.SetWindowText(strLong.c_str());
  m_edit.SetWindowText(strLong.substr(0, 255).c_str());
  EXPECT_EQ(m_edit.GetWindowTextLength(), 255);
}

TEST_F(Reflection, ColourRequestsAreOfferedToTheChildAndItsBrushComesBack) {
  CBrush brush(RGB(10, 20, 30));
  m_edit.m_hBrush = brush;
  m_recorder.Only({WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC});
  EXPECT_EQ(SendColourRequest(WM_CTLCOLOREDIT), static_cast<HBRUSH>(brush));
  EXPECT_EQ(::GetBkColor(m_hDC), kChildBkColor);
  EXPECT_EQ(SendColourRequest(WM_CTLCOLORSTATIC), static_cast<HBRUSH>(brush));
  EXPECT_TRUE(m_recorder.Matches({
      R::Sent("parent", WM_CTLCOLOREDIT, 0).W(reinterpret_cast<WPARAM>(m_hDC)),
      R::Marked("parent OnCtlColor begin", 0),
      R::Marked("edit CtlColor " + std::to_string(CTLCOLOR_EDIT), 0),
      R::Marked("parent OnCtlColor end", 0),
      R::Sent("parent", WM_CTLCOLORSTATIC, 0),
      R::Marked("parent OnCtlColor begin", 0),
      R::Marked("edit CtlColor " + std::to_string(CTLCOLOR_STATIC), 0),
      R::Marked("parent OnCtlColor end", 0),
  }));
}

TEST_F(Reflection, AChildWithoutABrushLeavesTheRequestToTheParentsDefault) {
  const auto grey = reinterpret_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
  m_recorder.BaseResult(WM_CTLCOLOREDIT, reinterpret_cast<LRESULT>(grey));
  m_recorder.Only({WM_CTLCOLOREDIT});
  EXPECT_EQ(SendColourRequest(WM_CTLCOLOREDIT), grey);
  EXPECT_TRUE(m_recorder.Matches({
      R::Sent("parent", WM_CTLCOLOREDIT, 0),
      R::Marked("parent OnCtlColor begin", 0),
      R::Marked("edit CtlColor " + std::to_string(CTLCOLOR_EDIT), 0),
      R::Base("parent", WM_CTLCOLOREDIT, 0)
          .W(reinterpret_cast<WPARAM>(m_hDC))
          .L(reinterpret_cast<LPARAM>(m_hEdit)),
      R::Marked("parent OnCtlColor end", 0),
  }));
}

TEST(OwnerDrawing, DrawRequestsReachTheButtonsDrawItemOrTheDefault) {
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, R::BaseClassName(), L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
  COwnerDrawnButton button;
  HWND hBound = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 40, 20, owner,
                                  reinterpret_cast<HMENU>(IDC_OWNER_DRAWN), nullptr, nullptr);
  HWND hUnbound = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 60, 10, 40, 20, owner,
                                    reinterpret_cast<HMENU>(IDC_UNBOUND_OWNER_DRAWN), nullptr, nullptr);
  ASSERT_TRUE(button.SubclassWindow(hBound));
  R recorder;
  recorder.Watch(owner, "owner");
  recorder.Only({WM_DRAWITEM});
  ::RedrawWindow(hBound, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ::RedrawWindow(hUnbound, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(recorder.Matches({
      R::Sent("owner", WM_DRAWITEM, 0).W(IDC_OWNER_DRAWN),
      R::Marked("DrawItem " + std::to_string(IDC_OWNER_DRAWN), 0),
      R::Sent("owner", WM_DRAWITEM, 0).W(IDC_UNBOUND_OWNER_DRAWN),
      R::Base("owner", WM_DRAWITEM, 0).W(IDC_UNBOUND_OWNER_DRAWN),
  }));
}

}  // namespace
