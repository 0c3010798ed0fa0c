#pragma once
#include "CPoint.h"

class CRect : public RECT {
 public:
  CRect() : RECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  CRect(const RECT& r) : RECT(r) {}
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CPoint TopLeft() const { return CPoint(left, top); }
  void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
  void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
  bool operator==(const RECT& o) const { return ::EqualRect(this, &o) != FALSE; }
  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }
};
