// Ownership of graphics objects and device contexts, and the absence of
// leaks over many create, select and delete cycles.
#include <gtest/gtest.h>

#include "GdiObjects.h"
#include "MessageRecorder.h"
#include "afxwin.h"

namespace {

constexpr COLORREF kPaintColour = RGB(0, 128, 255);

bool IsLive(HGDIOBJ hObject) { return ::GetObjectType(hObject) != 0; }

BOOL CreateSmallFont(CFont& font) {
  return font.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
}

class ScreenContext : public ::testing::Test {
 protected:
  ~ScreenContext() override { ::ReleaseDC(nullptr, m_hScreen); }
  HDC m_hScreen = ::GetDC(nullptr);
};

TEST(GdiOwnership, AnObjectDeletesItsHandleOnceAndNoMore) {
  HGDIOBJ hObject;
  {
    CBrush brush(RGB(1, 2, 3));
    hObject = brush.m_hObject;
    ASSERT_TRUE(IsLive(hObject));
  }
  EXPECT_FALSE(IsLive(hObject));

  CBrush brush(RGB(1, 2, 3));
  hObject = brush.m_hObject;
  EXPECT_TRUE(brush.DeleteObject());
  EXPECT_FALSE(IsLive(hObject));
  EXPECT_EQ(brush.m_hObject, nullptr);
  EXPECT_FALSE(brush.DeleteObject());
}

TEST(GdiOwnership, DetachHandsTheHandleOverAndAttachRefusesAnOccupiedObject) {
  HGDIOBJ hDetached;
  {
    CBrush brush(RGB(1, 2, 3));
    hDetached = brush.Detach();
  }
  EXPECT_TRUE(IsLive(hDetached));

  CBrush occupied(RGB(4, 5, 6));
  HGDIOBJ hOwn = occupied.m_hObject;
  EXPECT_FALSE(occupied.Attach(hDetached));
  EXPECT_EQ(occupied.m_hObject, hOwn);
  EXPECT_TRUE(IsLive(hDetached));

  {
    CBrush adopter;
    EXPECT_FALSE(adopter.Attach(nullptr));
    EXPECT_TRUE(adopter.Attach(hDetached));
  }
  EXPECT_FALSE(IsLive(hDetached));
}

TEST_F(ScreenContext, CreatingIntoAnOccupiedObjectRefusesWithoutLeaking) {
  CBrush brush(RGB(1, 1, 1));
  CFont font;
  ASSERT_TRUE(CreateSmallFont(font));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(m_hScreen, 4, 4));
  const int before = CountGdiObjects();
  EXPECT_FALSE(brush.CreateSolidBrush(RGB(2, 2, 2)));
  EXPECT_FALSE(CreateSmallFont(font));
  EXPECT_FALSE(bitmap.CreateCompatibleBitmap(m_hScreen, 4, 4));
  EXPECT_EQ(CountGdiObjects(), before);
}

TEST_F(ScreenContext, ACompatibleContextSelectsBackWhatItHeldBeforeItIsDeleted) {
  CBitmap first;
  CBitmap second;
  CBrush brush(RGB(7, 8, 9));
  ASSERT_TRUE(first.CreateCompatibleBitmap(m_hScreen, 8, 8));
  ASSERT_TRUE(second.CreateCompatibleBitmap(m_hScreen, 8, 8));
  {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(CDC::FromHandle(m_hScreen)));
    dc.SelectObject(first);
    dc.SelectObject(second);
    dc.SelectObject(brush);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), second.m_hObject);
  }
  // An object still selected somewhere would only be marked for deletion.
  for (CGdiObject* pObject : {static_cast<CGdiObject*>(&first), static_cast<CGdiObject*>(&second),
                              static_cast<CGdiObject*>(&brush)}) {
    HGDIOBJ hObject = pObject->m_hObject;
    EXPECT_TRUE(pObject->DeleteObject());
    EXPECT_FALSE(IsLive(hObject));
  }
}

TEST_F(ScreenContext, DetachingAnOwnedContextRestoresItAndHandsItOver) {
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(m_hScreen, 8, 8));
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  HGDIOBJ hOriginal = ::GetCurrentObject(dc, OBJ_BITMAP);
  EXPECT_EQ(dc.SelectObject(bitmap), hOriginal);
  HDC hDC = dc.Detach();
  EXPECT_EQ(::GetCurrentObject(hDC, OBJ_BITMAP), hOriginal);
  EXPECT_FALSE(dc.DeleteDC());
  EXPECT_TRUE(::DeleteDC(hDC));
}

class CPaintedWnd : public CWnd {
 public:
  CBrush m_brush{kPaintColour};
  CRect m_rcPaint;
  void OnPaint() {
    CPaintDC dc(this);
    m_rcPaint = dc.m_ps.rcPaint;
    dc.SelectObject(m_brush);
    ::PatBlt(dc, 0, 0, 1000, 1000, PATCOPY);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPaintedWnd, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(PaintContext, PaintsTheInvalidAreaValidatesItAndLeavesNothingSelectedOrLeaked) {
  CPaintedWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, MessageRecorder::BaseClassName(), L"", WS_POPUP | WS_VISIBLE,
                           CRect(0, 0, 120, 80), nullptr, 0));
  wnd.UpdateWindow();
  const CRect part(10, 10, 50, 40);
  wnd.InvalidateRect(part, FALSE);
  wnd.UpdateWindow();
  EXPECT_EQ(wnd.m_rcPaint, part);
  EXPECT_FALSE(::GetUpdateRect(wnd, nullptr, FALSE));
  HDC hDC = ::GetDC(wnd);
  EXPECT_EQ(::GetPixel(hDC, 20, 20), kPaintColour);
  ::ReleaseDC(wnd, hDC);

  const int before = CountGdiObjects();
  for (int i = 0; i < 200; ++i) {
    wnd.Invalidate(FALSE);
    wnd.UpdateWindow();
  }
  EXPECT_EQ(CountGdiObjects(), before);
  HGDIOBJ hBrush = wnd.m_brush.m_hObject;
  EXPECT_TRUE(wnd.m_brush.DeleteObject());
  EXPECT_FALSE(IsLive(hBrush));
}

TEST_F(ScreenContext, TenThousandCreateSelectDeleteCyclesLeakNothing) {
  const int before = CountGdiObjects();
  {
    CBrush probe(RGB(1, 2, 3));
    ASSERT_EQ(CountGdiObjects(), before + 1) << "the count must see a single new object";
  }
  ASSERT_EQ(CountGdiObjects(), before);

  for (int i = 0; i < 10000; ++i) {
    CBitmap bitmap;
    CBrush brush(RGB(i & 0xFF, 0, 0));
    CFont font;
    bitmap.CreateCompatibleBitmap(m_hScreen, 16, 16);
    CreateSmallFont(font);
    CDC memory;
    memory.CreateCompatibleDC(CDC::FromHandle(m_hScreen));
    memory.SelectObject(bitmap);
    memory.SelectObject(brush);
    memory.SelectObject(font);
    const CRect cell(0, 0, 16, 16);
    memory.FillRect(cell, brush);
  }
  EXPECT_EQ(CountGdiObjects(), before);
}

}  // namespace
