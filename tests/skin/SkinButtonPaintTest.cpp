#include <gtest/gtest.h>

#include "ButtonsDialog.h"
#include "TestSupport.h"

using namespace skintest;

namespace {

// The test pictures (see make-test-bitmaps.py): 12 x 12, the normal one a
// checker of 6-pixel cells, the others flat.
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kDown = RGB(0, 160, 0);
constexpr COLORREF kOver = RGB(0, 160, 160);
constexpr COLORREF kFocus = RGB(160, 160, 0);
constexpr COLORREF kBehind = RGB(255, 0, 255);
COLORREF Normal(int x, int y) { return (x < 6) == (y < 6) ? kRed : kBlue; }

// The smallest rectangle holding every pixel of colour cr; empty if none.
CRect BoundsOf(const CClientPixels& px, COLORREF cr) {
  CRect rc(px.Width(), px.Height(), 0, 0);
  for (int y = 0; y < px.Height(); ++y)
    for (int x = 0; x < px.Width(); ++x)
      if (px.At(x, y) == cr) rc = CRect(std::min<int>(rc.left, x), std::min<int>(rc.top, y),
                                        std::max<int>(rc.right, x + 1), std::max<int>(rc.bottom, y + 1));
  return rc;
}

bool IsEmpty(const RECT& rc) { return ::IsRectEmpty(&rc) != FALSE; }

class SkinButtonPaintTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dlg.Open(460, 200));
    ::SetFocus(nullptr);
  }
  void TearDown() override {
    m_dlg.DestroyWindow();
    PumpMessages();
  }
  // Puts a known colour behind the button's face: the button never erases,
  // so a masked face is composed over exactly this.
  void FillBehind(CWnd& button) {
    HDC hDC = ::GetDC(button);
    HBRUSH hBrush = ::CreateSolidBrush(kBehind);
    RECT rc{0, 0, 100, 100};
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::ReleaseDC(button, hDC);
  }

  CButtonsDialog m_dlg;
  CProbeSkinButton& m_btn = m_dlg.m_btnPush;
};

TEST_F(SkinButtonPaintTest, WithoutPicturesTheFaceIsPlainWithItsCaption) {
  CProbeSkinButton& btn = m_dlg.m_btnAfter;
  btn.m_bmpNormal.DeleteObject();
  btn.m_bmpOver.DeleteObject();
  btn.m_bMouseOver = true;  // the over picture is not looked at without a normal one
  btn.SetWindowText(L"|");
  CClientPixels px = PaintAndRead(btn);
  const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(px.At(0, 0), crFace);
  EXPECT_EQ(px.At(23, 23), crFace);
  EXPECT_FALSE(IsEmpty(BoundsOf(px, ::GetSysColor(COLOR_BTNTEXT))));
}

TEST_F(SkinButtonPaintTest, PlainModeCopiesThePictureUnscaled) {
  CClientPixels px = PaintAndRead(m_btn);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(px.At(x, y), Normal(x, y)) << x << "," << y;
}

TEST_F(SkinButtonPaintTest, StretchedModeScalesThePictureToTheButton) {
  m_btn.m_nDrawMode = CxSkinButton::DrawStretched;
  CClientPixels px = PaintAndRead(m_btn);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) ASSERT_EQ(px.At(x, y), Normal(x / 2, y / 2)) << x << "," << y;
}

TEST_F(SkinButtonPaintTest, TiledModeRepeatsThePictureAndIgnoresTheMask) {
  m_btn.m_nDrawMode = CxSkinButton::DrawTiled;
  m_btn.m_bmpMask.LoadBitmap(IDB_FACE_MASK);
  m_btn.MoveWindow(10, 10, 30, 20);
  FillBehind(m_btn);
  CClientPixels px = PaintAndRead(m_btn);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(px.At(x, y), Normal(x % 12, y % 12)) << x << "," << y;
}

TEST_F(SkinButtonPaintTest, MaskedPictureIsComposedOverWhatLiesBehind) {
  m_btn.m_bmpMask.LoadBitmap(IDB_FACE_MASK);
  for (short nMode : {CxSkinButton::DrawPlain, CxSkinButton::DrawStretched}) {
    m_btn.m_nDrawMode = nMode;
    const int nScale = nMode == CxSkinButton::DrawPlain ? 1 : 2;
    FillBehind(m_btn);
    CClientPixels px = PaintAndRead(m_btn);
    for (int y = 0; y < 12 * nScale; ++y) {
      for (int x = 0; x < 12 * nScale; ++x) {
        // The mask's left half is black: the picture; its right half white: what was there.
        const COLORREF crExpected = x < 6 * nScale ? Normal(x / nScale, y / nScale) : kBehind;
        ASSERT_EQ(px.At(x, y), crExpected) << "mode " << nMode << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(SkinButtonPaintTest, FaceFollowsTheState) {
  EXPECT_EQ(PaintAndRead(m_btn).At(2, 2), kRed);
  m_btn.SetFocus();
  EXPECT_EQ(PaintAndRead(m_btn).At(2, 2), kFocus);
  m_btn.m_bMouseOver = true;  // mouse over wins over focus
  EXPECT_EQ(PaintAndRead(m_btn).At(2, 2), kOver);
  m_btn.SetState(TRUE);
  EXPECT_EQ(PaintAndRead(m_btn).At(2, 2), kDown);
  m_btn.SetState(FALSE);
  m_btn.m_bMouseOver = false;
  ::SetFocus(nullptr);
  EXPECT_EQ(PaintAndRead(m_btn).At(2, 2), kRed);
  // A missing over or focus picture falls back to the normal one.
  m_btn.m_bmpOver.DeleteObject();
  m_btn.m_bMouseOver = true;
  EXPECT_EQ(PaintAndRead(m_btn).At(2, 2), kRed);
}

TEST_F(SkinButtonPaintTest, CheckedShowsThePressedPictureWithTheCaptionMoved) {
  CProbeSkinButton& btn = m_dlg.m_btnCheck;
  // Stretched, so that each paint covers the whole face, the old caption too.
  btn.m_nDrawMode = CxSkinButton::DrawStretched;
  btn.SetWindowText(L"|");
  const CRect rcNormal = BoundsOf(PaintAndRead(btn), btn.m_crText);
  btn.SetCheck(1);
  CClientPixels px = PaintAndRead(btn);
  EXPECT_EQ(px.At(2, 2), kDown);
  CRect rcChecked = BoundsOf(px, btn.m_crText);
  ASSERT_FALSE(IsEmpty(rcNormal));
  rcChecked.OffsetRect(-1, -1);
  EXPECT_EQ(rcChecked, rcNormal);
}

TEST_F(SkinButtonPaintTest, DisabledShowsTheNormalPictureWithAnEmbossedCaption) {
  CProbeSkinButton& btn = m_dlg.m_btnCheck;
  // Stretched, so that each paint covers the whole face, the old caption too.
  btn.m_nDrawMode = CxSkinButton::DrawStretched;
  btn.SetWindowText(L"|");
  btn.SetCheck(1);
  btn.m_bMouseOver = true;
  btn.EnableWindow(FALSE);
  CClientPixels px = PaintAndRead(btn);
  EXPECT_EQ(px.At(2, 2), kRed);
  const CRect rcGrey = BoundsOf(px, ::GetSysColor(COLOR_GRAYTEXT));
  CRect rcLight = BoundsOf(px, ::GetSysColor(COLOR_3DHILIGHT));
  ASSERT_FALSE(IsEmpty(rcGrey));
  rcLight.OffsetRect(-1, -1);
  EXPECT_EQ(rcLight, rcGrey);
  EXPECT_TRUE(IsEmpty(BoundsOf(px, btn.m_crText)));
}

TEST_F(SkinButtonPaintTest, BorderWhenSetAndFocusRectangleAtItsMargin) {
  m_btn.m_bBorder = TRUE;
  CClientPixels px = PaintAndRead(m_btn);
  EXPECT_EQ(px.At(0, 0), ::GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(px.At(23, 23), ::GetSysColor(COLOR_3DDKSHADOW));
  m_btn.SetState(TRUE);
  px = PaintAndRead(m_btn);
  EXPECT_EQ(px.At(0, 0), ::GetSysColor(COLOR_3DSHADOW));
  EXPECT_EQ(px.At(23, 23), ::GetSysColor(COLOR_3DHILIGHT));
  m_btn.SetState(FALSE);

  m_btn.m_bBorder = FALSE;
  m_btn.SetFocus();
  px = PaintAndRead(m_btn);
  int nOnEdge = 0;
  for (int x = 0; x < 12; ++x) nOnEdge += px.At(x, 0) != kFocus;
  EXPECT_GT(nOnEdge, 4) << "no focus rectangle round the 12-pixel picture";

  m_btn.m_nFocusMargin = 3;
  px = PaintAndRead(m_btn);
  EXPECT_EQ(px.At(2, 2), kFocus);
  int nChanged = 0;
  for (int x = 3; x < 21; ++x) nChanged += px.At(x, 3) != kFocus;
  EXPECT_GT(nChanged, 4) << "no focus rectangle 3 pixels in";
}

TEST_F(SkinButtonPaintTest, SetSkinReplacesEveryPictureAndResetsTheLook) {
  m_btn.m_bmpMask.LoadBitmap(IDB_FACE_MASK);
  m_btn.m_nDrawMode = CxSkinButton::DrawTiled;
  m_btn.m_bBorder = TRUE;
  m_btn.m_nFocusMargin = 2;
  const HGDIOBJ hOld[] = {m_btn.m_bmpNormal.GetSafeHandle(), m_btn.m_bmpDown.GetSafeHandle(),
                          m_btn.m_bmpOver.GetSafeHandle(),   m_btn.m_bmpDisabled.GetSafeHandle(),
                          m_btn.m_bmpMask.GetSafeHandle(),   m_btn.m_bmpFocus.GetSafeHandle()};
  const int nObjects = CountGdiObjects();
  m_btn.SetSkin(IDB_FACE_DOWN, IDB_FACE_NORMAL, IDB_FACE_OVER, IDB_MISSING);
  EXPECT_EQ(CountGdiObjects(), nObjects - 2);  // no mask, no focus picture now
  for (HGDIOBJ h : hOld) EXPECT_EQ(::GetObjectType(h), 0u);
  EXPECT_EQ(m_btn.m_bmpFocus.GetSafeHandle(), nullptr);
  EXPECT_EQ(m_btn.m_bmpMask.GetSafeHandle(), nullptr);
  EXPECT_EQ(m_btn.m_nDrawMode, CxSkinButton::DrawPlain);
  EXPECT_FALSE(m_btn.m_bBorder);
  EXPECT_EQ(m_btn.m_nFocusMargin, 0);
  m_btn.SetFocus();
  EXPECT_EQ(PaintAndRead(m_btn).At(2, 2), kDown);  // the new normal picture, as no focus picture loaded
}

TEST_F(SkinButtonPaintTest, DestroyingTheButtonReleasesWhatItOwns) {
  HGDIOBJ hExtra = ::CreateSolidBrush(RGB(1, 1, 1));
  HGDIOBJ hNormal;
  {
    CProbeSkinButton btn;
    btn.SetSkin(IDB_FACE_NORMAL, IDB_FACE_DOWN, IDB_FACE_OVER, IDB_FACE_FOCUS);
    btn.m_hExtraGdiObject = hExtra;
    hNormal = btn.m_bmpNormal.GetSafeHandle();
  }
  EXPECT_EQ(::GetObjectType(hExtra), 0u);
  EXPECT_EQ(::GetObjectType(hNormal), 0u);
}

}  // namespace
