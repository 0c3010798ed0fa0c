#include <gtest/gtest.h>

#include <algorithm>

#include "EditsDialog.h"
#include "TestSupport.h"

using namespace skintest;

namespace {

class ColorEditTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dlg.Open(440, 320)); }
  void TearDown() override {
    m_dlg.DestroyWindow();
    PumpMessages();
  }

  // The field is flat in its two colours: every pixel is the background, the
  // text colour or (at a smoothed glyph edge) between the two, and the text
  // colour itself shows.
  static testing::AssertionResult PaintsIn(CColorEdit& edit, COLORREF crBk, COLORREF crText) {
    edit.SetWindowText(L"8088");
    CClientPixels px = PaintAndRead(edit);
    bool bTextSeen = false;
    for (int y = 0; y < px.Height(); ++y) {
      for (int x = 0; x < px.Width(); ++x) {
        const COLORREF cr = px.At(x, y);
        bTextSeen |= cr == crText;
        auto between = [](int v, int a, int b) { return v >= std::min(a, b) && v <= std::max(a, b); };
        if (!between(GetRValue(cr), GetRValue(crBk), GetRValue(crText)) ||
            !between(GetGValue(cr), GetGValue(crBk), GetGValue(crText)) ||
            !between(GetBValue(cr), GetBValue(crBk), GetBValue(crText)))
          return testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex << cr;
      }
    }
    if (px.At(0, 0) != crBk) return testing::AssertionFailure() << "corner is " << std::hex << px.At(0, 0);
    if (!bTextSeen) return testing::AssertionFailure() << "no pixel in the text colour";
    return testing::AssertionSuccess();
  }

  static COLORREF BrushColour(const CBrush& brush) {
    LOGBRUSH lb{};
    return brush.GetObject(sizeof(lb), &lb) != 0 ? lb.lbColor : CLR_INVALID;
  }

  static bool HasPendingErase(HWND hWnd) {
    RECT rc;
    return ::GetUpdateRect(hWnd, &rc, FALSE) != FALSE;
  }

  CEditsDialog m_dlg;
};

TEST_F(ColorEditTest, NewFieldIsBlackOnWhiteWithTheFilterOn) {
  EXPECT_EQ(m_dlg.m_edInput.m_crBkColor, RGB(255, 255, 255));
  EXPECT_EQ(m_dlg.m_edInput.m_crTextColor, RGB(0, 0, 0));
  EXPECT_EQ(BrushColour(m_dlg.m_edInput.m_brBkgnd), RGB(255, 255, 255));
  EXPECT_FALSE(m_dlg.m_edInput.m_bFreeText);
  EXPECT_TRUE(m_dlg.m_edInput.IsKindOf(RUNTIME_CLASS(CColorEdit)));
  EXPECT_STREQ(m_dlg.m_edInput.GetRuntimeClass()->m_lpszClassName, "CColorEdit");
  EXPECT_TRUE(PaintsIn(m_dlg.m_edInput, RGB(255, 255, 255), RGB(0, 0, 0)));
}

TEST_F(ColorEditTest, EditableAndReadOnlyFieldsTakeTheirColours) {
  for (CColorEdit* pEdit : {static_cast<CColorEdit*>(&m_dlg.m_edInput), static_cast<CColorEdit*>(&m_dlg.m_edReadOnly)}) {
    pEdit->m_bFreeText = TRUE;
    PumpMessages();
    pEdit->SetBkColor(RGB(20, 40, 120));
    EXPECT_TRUE(HasPendingErase(*pEdit));
    PumpMessages();
    pEdit->SetTextColor(RGB(250, 220, 10));
    EXPECT_TRUE(HasPendingErase(*pEdit));
    EXPECT_TRUE(PaintsIn(*pEdit, RGB(20, 40, 120), RGB(250, 220, 10)));
  }
}

TEST_F(ColorEditTest, ANewBackgroundColourReplacesTheBrush) {
  CProbeColorEdit& edit = m_dlg.m_edInput;
  edit.SetBkColor(RGB(1, 2, 3));
  const HGDIOBJ hFirst = edit.m_brBkgnd.GetSafeHandle();
  const int nObjects = CountGdiObjects();
  edit.SetBkColor(RGB(4, 5, 6));
  EXPECT_EQ(CountGdiObjects(), nObjects);
  EXPECT_EQ(::GetObjectType(hFirst), 0u);
  EXPECT_EQ(BrushColour(edit.m_brBkgnd), RGB(4, 5, 6));
  EXPECT_EQ(edit.m_crBkColor, RGB(4, 5, 6));
}

// Without a brush the field declines the colour request and the parent's
// default handling paints it in the platform's colours.
TEST_F(ColorEditTest, WithoutABrushTheDefaultColoursApply) {
  CProbeColorEdit& edit = m_dlg.m_edInput;
  edit.SetBkColor(RGB(20, 40, 120));
  edit.SetTextColor(RGB(250, 220, 10));
  edit.m_brBkgnd.DeleteObject();
  EXPECT_TRUE(PaintsIn(edit, ::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT)));
}

TEST_F(ColorEditTest, DestroyingTheFieldDeletesItsBrush) {
  HGDIOBJ hBrush;
  {
    CProbeColorEdit edit;
    hBrush = edit.m_brBkgnd.GetSafeHandle();
    EXPECT_EQ(::GetObjectType(hBrush), static_cast<DWORD>(OBJ_BRUSH));
  }
  EXPECT_EQ(::GetObjectType(hBrush), 0u);
}

}  // namespace
