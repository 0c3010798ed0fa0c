#pragma once
// What the skin tests share beyond the test kit: reading a window's pixels
// back, moving the real pointer and making pictures.
#include <windows.h>

#include <functional>
#include <ostream>
#include <vector>

#include "CRect.h"
#include "GdiObjects.h"
#include "MessagePump.h"

// So that failed comparisons of rectangles show their corners.
inline void PrintTo(const CRect& rc, std::ostream* os) {
  *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}

namespace skintest {

// A copy of a window's client-area pixels, as 0x00BBGGRR colours.
class CClientPixels {
 public:
  explicit CClientPixels(HWND hWnd);
  int Width() const { return m_nWidth; }
  int Height() const { return m_nHeight; }
  COLORREF At(int x, int y) const;
  // True when every pixel of [left, right) x [top, bottom) has colour cr.
  bool AllOf(const RECT& rc, COLORREF cr) const;

 private:
  int m_nWidth = 0;
  int m_nHeight = 0;
  std::vector<COLORREF> m_pixels;
};

// Repaints the window at once and copies its pixels.
CClientPixels PaintAndRead(HWND hWnd);

// The real pointer and button (the X pointer under Xvfb).
void MovePointer(int x, int y);
void PressLeft();
void ReleaseLeft();
// Moves the pointer to a point of a window's client area.
void MovePointerToClient(HWND hWnd, int x, int y);

// A device-independent 32-bit bitmap of w x h whose pixel (x, y) is pixel(x, y).
HBITMAP MakeBitmap(int w, int h, const std::function<COLORREF(int, int)>& pixel);

}  // namespace skintest
