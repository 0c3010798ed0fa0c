#pragma once
#include "CDC.h"

// The context of one WM_PAINT: BeginPaint on construction, EndPaint after the
// selections are undone.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps{};

 private:
  HWND m_hWnd;
};
