#include <gtest/gtest.h>

#include "ButtonsDialog.h"
#include "CDialogSK.h"
#include "EditsDialog.h"
#include "SkinTestIds.h"
#include "TestSupport.h"

using namespace skintest;

namespace {

constexpr int kPaints = 10000;

void Repaint(HWND hWnd) { ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

// The leak checks below mean something only if the count follows the objects.
TEST(GdiLeakTest, CountFollowsTheLiveObjects) {
  const int nBefore = CountGdiObjects();
  HBRUSH hBrushes[3];
  for (HBRUSH& h : hBrushes) h = ::CreateSolidBrush(RGB(1, 2, 3));
  HBITMAP hBitmap = MakeBitmap(2, 2, [](int, int) { return RGB(0, 0, 0); });
  EXPECT_EQ(CountGdiObjects(), nBefore + 4);
  for (HBRUSH h : hBrushes) ::DeleteObject(h);
  ::DeleteObject(hBitmap);
  EXPECT_EQ(CountGdiObjects(), nBefore);
}

TEST(GdiLeakTest, DialogBackgroundPaintsLeakNothing) {
  CDialogSK dlg(IDD_PLAIN);
  ASSERT_TRUE(dlg.Create(IDD_PLAIN));
  dlg.SetWindowPos(nullptr, 420, 600, 40, 30, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  dlg.SetBackgroundBitmap(MakeBitmap(7, 5, [](int x, int y) { return RGB(x * 30, y * 40, 9); }));
  const int nStyles[] = {BkStyleNormal, BkStyleTile, BkStyleCenter, BkStyleStretch, BkStyleTopLeft, 7};
  Repaint(dlg);
  const int nBefore = CountGdiObjects();
  for (int i = 0; i < kPaints; ++i) {
    dlg.SetBackgroundStyle(nStyles[i % std::size(nStyles)]);
    Repaint(dlg);
  }
  EXPECT_EQ(CountGdiObjects(), nBefore);
  dlg.DestroyWindow();
}

TEST(GdiLeakTest, ColourEditPaintsLeakNothing) {
  CEditsDialog dlg;
  ASSERT_TRUE(dlg.Open(420, 650));
  dlg.m_edInput.SetWindowText(L"12.5");
  dlg.m_edReadOnly.SetWindowText(L"0.25");
  dlg.m_edInput.SetBkColor(RGB(20, 40, 120));
  dlg.m_edReadOnly.SetBkColor(RGB(40, 20, 120));
  Repaint(dlg.m_edInput);
  Repaint(dlg.m_edReadOnly);
  const int nBefore = CountGdiObjects();
  for (int i = 0; i < kPaints; ++i) Repaint(i % 2 ? dlg.m_edInput : dlg.m_edReadOnly);
  EXPECT_EQ(CountGdiObjects(), nBefore);
  dlg.DestroyWindow();
}

// Every way of drawing a face: plain, stretched, masked in both, tiled,
// pressed and disabled.
TEST(GdiLeakTest, SkinButtonPaintsLeakNothing) {
  CButtonsDialog dlg;
  ASSERT_TRUE(dlg.Open(420, 700));
  CProbeSkinButton& btn = dlg.m_btnPush;
  btn.SetWindowText(L"x");
  Repaint(btn);
  const int nBefore = CountGdiObjects();
  for (int i = 0; i < kPaints; ++i) {
    const int nVariant = i % 7;
    btn.m_nDrawMode = static_cast<short>(nVariant % 3);
    if (nVariant == 3) btn.m_bmpMask.LoadBitmap(IDB_FACE_MASK);
    if (nVariant == 5) btn.m_bmpMask.DeleteObject();
    btn.SetState(nVariant == 4);
    btn.EnableWindow(nVariant != 6);
    Repaint(btn);
  }
  btn.m_bmpMask.DeleteObject();  // loaded by the loop, held rightly
  EXPECT_EQ(CountGdiObjects(), nBefore);
  dlg.DestroyWindow();
}

}  // namespace
