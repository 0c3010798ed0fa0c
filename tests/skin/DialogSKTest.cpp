#include <gtest/gtest.h>

#include "CDialogSK.h"
#include "MessageRecorder.h"
#include "SkinTestIds.h"
#include "TestSupport.h"

using namespace skintest;
using R = MessageRecorder;

namespace {

// A picture whose every pixel differs from its neighbours, so that a pixel
// read back tells which picture pixel landed there.
constexpr int kPicW = 20;
constexpr int kPicH = 10;
COLORREF Pic(int x, int y) { return RGB(10 + x * 10, 10 + y * 20, 77); }
HBITMAP MakePicture() { return MakeBitmap(kPicW, kPicH, Pic); }

class CProbeDialogSK : public CDialogSK {
 public:
  CProbeDialogSK() : CDialogSK(IDD_PLAIN) {}
  using CDialogSK::m_hBkBitmap;
  using CDialogSK::m_nBkHeight;
  using CDialogSK::m_nBkStyle;
  using CDialogSK::m_nBkWidth;
};

class DialogSKTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dlg.Create(IDD_PLAIN)); }
  void TearDown() override {
    m_dlg.DestroyWindow();
    PumpMessages();
  }

  // The dialog has neither border nor caption: its client area is its window.
  void Show(int w, int h) {
    m_dlg.SetWindowPos(nullptr, 420, 300, w, h, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    PumpMessages();
  }
  CClientPixels Paint(int nStyle) {
    m_dlg.SetBackgroundStyle(nStyle);
    return PaintAndRead(m_dlg);
  }
  bool HasPendingErase() {
    RECT rc;
    return ::GetUpdateRect(m_dlg, &rc, FALSE) != FALSE;
  }

  CProbeDialogSK m_dlg;
  const COLORREF m_crFace = ::GetSysColor(COLOR_BTNFACE);
};

TEST_F(DialogSKTest, WithoutBackgroundErasesAsPlainDialog) {
  EXPECT_TRUE(m_dlg.m_bDragMove);
  EXPECT_EQ(m_dlg.m_hBkBitmap, nullptr);
  EXPECT_EQ(m_dlg.m_nBkStyle, BkStyleNormal);
  Show(30, 20);
  EXPECT_TRUE(Paint(BkStyleNormal).AllOf({0, 0, 30, 20}, m_crFace));
}

TEST_F(DialogSKTest, NormalAndTopLeftCopyThePictureToTheOrigin) {
  ASSERT_TRUE(m_dlg.SetBackgroundBitmap(MakePicture()));
  EXPECT_EQ(m_dlg.m_nBkWidth, 20u);
  EXPECT_EQ(m_dlg.m_nBkHeight, 10u);
  Show(kPicW, kPicH);
  for (int nStyle : {BkStyleNormal, BkStyleTopLeft}) {
    CClientPixels px = Paint(nStyle);
    for (int y = 0; y < kPicH; ++y)
      for (int x = 0; x < kPicW; ++x) ASSERT_EQ(px.At(x, y), Pic(x, y)) << "style " << nStyle << " at " << x << "," << y;
  }
}

TEST_F(DialogSKTest, TileRepeatsThePictureEdgeToEdge) {
  ASSERT_TRUE(m_dlg.SetBackgroundBitmap(MakePicture()));
  // Two and a half pictures each way: three copies per row, the last cut off.
  Show(kPicW * 5 / 2, kPicH * 5 / 2);
  CClientPixels px = Paint(BkStyleTile);
  ASSERT_EQ(px.Width(), 50);
  for (int y = 0; y < px.Height(); ++y)
    for (int x = 0; x < px.Width(); ++x) ASSERT_EQ(px.At(x, y), Pic(x % kPicW, y % kPicH)) << x << "," << y;
}

TEST_F(DialogSKTest, TileOnAClientAreaWithoutHeightDrawsNothing) {
  ASSERT_TRUE(m_dlg.SetBackgroundBitmap(MakePicture()));
  m_dlg.SetBackgroundStyle(BkStyleTile);
  Show(50, 0);
  RECT rcClient;
  m_dlg.GetClientRect(&rcClient);
  ASSERT_EQ(rcClient.bottom, 0);
  // Erase into a marked memory context: not one pixel of it may change.
  HDC hScreen = ::GetDC(nullptr);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  HBITMAP hTarget = MakeBitmap(50, 10, [](int, int) { return RGB(255, 0, 255); });
  HGDIOBJ hOld = ::SelectObject(hMem, hTarget);
  EXPECT_NE(m_dlg.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(hMem)), 0);
  for (int x = 0; x < 50; x += 7) EXPECT_EQ(::GetPixel(hMem, x, 0), RGB(255, 0, 255)) << x;
  ::SelectObject(hMem, hOld);
  ::DeleteObject(hTarget);
  ::DeleteDC(hMem);
  ::ReleaseDC(nullptr, hScreen);
}

// The left and top margins equal the right and bottom ones, or are one pixel
// smaller when the difference is odd; they show the dialog's own fill.
TEST_F(DialogSKTest, CenterPlacesThePictureWithMarginsRoundedDown) {
  ASSERT_TRUE(m_dlg.SetBackgroundBitmap(MakePicture()));
  struct Case { int w, h, left, top; };
  for (Case c : {Case{kPicW + 7, kPicH + 5, 3, 2}, Case{kPicW + 8, kPicH + 6, 4, 3}}) {
    Show(c.w, c.h);
    CClientPixels px = Paint(BkStyleCenter);
    for (int y = 0; y < kPicH; ++y)
      for (int x = 0; x < kPicW; ++x) ASSERT_EQ(px.At(c.left + x, c.top + y), Pic(x, y)) << c.w << ": " << x << "," << y;
    EXPECT_TRUE(px.AllOf({0, 0, c.left, c.h}, m_crFace)) << c.w;
    EXPECT_TRUE(px.AllOf({0, 0, c.w, c.top}, m_crFace)) << c.w;
  }
}

TEST_F(DialogSKTest, StretchScalesWidthAndHeightIndependently) {
  ASSERT_TRUE(m_dlg.SetBackgroundBitmap(MakePicture()));
  Show(kPicW * 3, kPicH * 2);
  CClientPixels px = Paint(BkStyleStretch);
  for (int y = 0; y < px.Height(); ++y)
    for (int x = 0; x < px.Width(); ++x) ASSERT_EQ(px.At(x, y), Pic(x / 3, y / 2)) << x << "," << y;
}

TEST_F(DialogSKTest, UnknownStyleLeavesTheDefaultEraseOnly) {
  ASSERT_TRUE(m_dlg.SetBackgroundBitmap(MakePicture()));
  Show(kPicW, kPicH);
  EXPECT_TRUE(Paint(7).AllOf({0, 0, kPicW, kPicH}, m_crFace));
}

TEST_F(DialogSKTest, InstallingBeforeTheWindowExistsRequestsNoPaint) {
  CProbeDialogSK dlg;
  EXPECT_TRUE(dlg.SetBackgroundBitmap(MakePicture()));
  EXPECT_EQ(dlg.m_nBkWidth, 20u);
  EXPECT_TRUE(dlg.SetBackgroundBitmap(nullptr));
  EXPECT_EQ(dlg.m_hBkBitmap, nullptr);
}

TEST_F(DialogSKTest, ReplacingClearingAndDestroyingDeleteTheHeldPicture) {
  Show(kPicW, kPicH);
  HBITMAP hFirst = MakePicture();
  HBITMAP hSecond = MakeBitmap(4, 3, [](int, int) { return RGB(1, 2, 3); });
  ASSERT_TRUE(m_dlg.SetBackgroundBitmap(hFirst));
  ASSERT_TRUE(m_dlg.SetBackgroundBitmap(hSecond));
  EXPECT_EQ(::GetObjectType(hFirst), 0u);
  EXPECT_EQ(m_dlg.m_nBkWidth, 4u);
  EXPECT_EQ(m_dlg.m_nBkHeight, 3u);

  ::ValidateRect(m_dlg, nullptr);
  EXPECT_TRUE(m_dlg.SetBackgroundBitmap(nullptr));
  EXPECT_EQ(::GetObjectType(hSecond), 0u);
  EXPECT_EQ(m_dlg.m_hBkBitmap, nullptr);
  EXPECT_TRUE(HasPendingErase());
  EXPECT_TRUE(Paint(BkStyleNormal).AllOf({0, 0, kPicW, kPicH}, m_crFace));

  HBITMAP hHeld = MakePicture();
  {
    CProbeDialogSK dlg;
    dlg.SetBackgroundBitmap(hHeld);
  }
  EXPECT_EQ(::GetObjectType(hHeld), 0u);
}

TEST_F(DialogSKTest, HandingBackTheHeldPictureKeepsIt) {
  Show(kPicW, kPicH);
  HBITMAP hPicture = MakePicture();
  ASSERT_TRUE(m_dlg.SetBackgroundBitmap(hPicture));
  PumpMessages();
  EXPECT_TRUE(m_dlg.SetBackgroundBitmap(hPicture));
  EXPECT_EQ(::GetObjectType(hPicture), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(m_dlg.m_hBkBitmap, hPicture);
  EXPECT_TRUE(HasPendingErase());
  EXPECT_EQ(Paint(BkStyleNormal).At(13, 7), Pic(13, 7));
}

TEST_F(DialogSKTest, AHandleThatIsNoBitmapIsRefusedAndDeleted) {
  Show(kPicW, kPicH);
  ASSERT_TRUE(m_dlg.SetBackgroundBitmap(MakePicture()));
  PumpMessages();
  // A brush: GetObjectW describes it too, as a record whose "width" is its colour.
  HBRUSH hBrush = ::CreateSolidBrush(RGB(0, 0, 0));
  EXPECT_FALSE(m_dlg.SetBackgroundBitmap(reinterpret_cast<HBITMAP>(hBrush)));
  EXPECT_EQ(::GetObjectType(hBrush), 0u);
  EXPECT_EQ(m_dlg.m_hBkBitmap, nullptr);
  EXPECT_FALSE(HasPendingErase());

  HBITMAP hDead = MakePicture();
  ::DeleteObject(hDead);
  EXPECT_FALSE(m_dlg.SetBackgroundBitmap(hDead));
  EXPECT_EQ(m_dlg.m_hBkBitmap, nullptr);
  // The tile loop must not spin on a bogus size: nothing is drawn at all.
  EXPECT_TRUE(Paint(BkStyleTile).AllOf({0, 0, kPicW, kPicH}, m_crFace));
}

TEST_F(DialogSKTest, SizeChangeRepaintsAllOnlyWithABackground) {
  Show(40, 30);
  // SWP_NOREDRAW: whatever is invalid afterwards was invalidated by the dialog.
  m_dlg.SetWindowPos(nullptr, 0, 0, 36, 28, SWP_NOZORDER | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE);
  EXPECT_FALSE(HasPendingErase());

  ASSERT_TRUE(m_dlg.SetBackgroundBitmap(MakePicture()));
  PumpMessages();
  m_dlg.SetWindowPos(nullptr, 0, 0, 32, 26, SWP_NOZORDER | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE);
  RECT rcUpdate;
  ASSERT_TRUE(::GetUpdateRect(m_dlg, &rcUpdate, FALSE));
  EXPECT_EQ(CRect(rcUpdate), CRect(0, 0, 32, 26));
}

// The press itself is handled to its end; the move starts when the posted
// WM_NCLBUTTONDOWN is dispatched, so here it is taken from the queue instead.
TEST_F(DialogSKTest, PressPostsACaptionPressAtTheClientPoint) {
  Show(40, 30);
  for (BOOL bWithBackground : {FALSE, TRUE}) {
    if (bWithBackground) m_dlg.SetBackgroundBitmap(MakePicture());
    R log;
    log.Watch(m_dlg, "dlg");
    log.Only({WM_LBUTTONDOWN, WM_NCLBUTTONDOWN});
    m_dlg.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL | MK_RBUTTON, MAKELPARAM(7, 300));
    EXPECT_TRUE(log.Matches({R::Sent("dlg", WM_LBUTTONDOWN, 0).W(MK_LBUTTON | MK_CONTROL | MK_RBUTTON).L(MAKELPARAM(7, 300))}));
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, m_dlg, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(HTCAPTION));
    EXPECT_EQ(msg.lParam, MAKELPARAM(7, 300));
    EXPECT_FALSE(::PeekMessageW(&msg, m_dlg, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
  }
}

TEST_F(DialogSKTest, PressWithDragMoveClearedPostsNothing) {
  Show(40, 30);
  m_dlg.m_bDragMove = FALSE;
  m_dlg.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 5));
  MSG msg;
  EXPECT_FALSE(::PeekMessageW(&msg, m_dlg, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
}

}  // namespace
