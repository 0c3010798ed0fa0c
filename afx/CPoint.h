#pragma once
#include <windows.h>

class CPoint : public POINT {
 public:
  CPoint() : POINT{0, 0} {}
  CPoint(int x0, int y0) : POINT{x0, y0} {}
  // The packing of mouse messages: x in the low and y in the high 16 bits, signed.
  explicit CPoint(LPARAM packed)
      : POINT{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))} {}
  bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
};
