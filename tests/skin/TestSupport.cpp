#include "TestSupport.h"

namespace skintest {

namespace {

// Top-down, so that row y of the bits is row y of the picture.
BITMAPINFO TopDownInfo(int w, int h) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

COLORREF FromBgrx(DWORD v) { return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }
DWORD ToBgrx(COLORREF cr) { return (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr); }

}  // namespace

CClientPixels::CClientPixels(HWND hWnd) {
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  m_nWidth = rc.right;
  m_nHeight = rc.bottom;
  if (m_nWidth <= 0 || m_nHeight <= 0) return;
  BITMAPINFO bi = TopDownInfo(m_nWidth, m_nHeight);
  void* pBits = nullptr;
  HDC hWndDC = ::GetDC(hWnd);
  HDC hMemDC = ::CreateCompatibleDC(hWndDC);
  HBITMAP hDib = ::CreateDIBSection(hWndDC, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
  HGDIOBJ hOld = ::SelectObject(hMemDC, hDib);
  ::BitBlt(hMemDC, 0, 0, m_nWidth, m_nHeight, hWndDC, 0, 0, SRCCOPY);
  ::GdiFlush();
  const auto* pSource = static_cast<const DWORD*>(pBits);
  m_pixels.reserve(static_cast<size_t>(m_nWidth) * m_nHeight);
  for (int i = 0; i < m_nWidth * m_nHeight; ++i) m_pixels.push_back(FromBgrx(pSource[i]));
  ::SelectObject(hMemDC, hOld);
  ::DeleteObject(hDib);
  ::DeleteDC(hMemDC);
  ::ReleaseDC(hWnd, hWndDC);
}

COLORREF CClientPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return CLR_INVALID;
  return m_pixels[static_cast<size_t>(y) * m_nWidth + x];
}

bool CClientPixels::AllOf(const RECT& rc, COLORREF cr) const {
  for (int y = rc.top; y < rc.bottom; ++y)
    for (int x = rc.left; x < rc.right; ++x)
      if (At(x, y) != cr) return false;
  return true;
}

CClientPixels PaintAndRead(HWND hWnd) {
  ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages();
  return CClientPixels(hWnd);
}

void MovePointer(int x, int y) { ::SetCursorPos(x, y); }

namespace {
void SendButton(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof(input));
}
}  // namespace

void PressLeft() { SendButton(MOUSEEVENTF_LEFTDOWN); }
void ReleaseLeft() { SendButton(MOUSEEVENTF_LEFTUP); }

void MovePointerToClient(HWND hWnd, int x, int y) {
  POINT pt{x, y};
  ::ClientToScreen(hWnd, &pt);
  MovePointer(pt.x, pt.y);
}

HBITMAP MakeBitmap(int w, int h, const std::function<COLORREF(int, int)>& pixel) {
  BITMAPINFO bi = TopDownInfo(w, h);
  void* pBits = nullptr;
  HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
  auto* pTarget = static_cast<DWORD*>(pBits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pTarget[y * w + x] = ToBgrx(pixel(x, y));
  return hBitmap;
}

}  // namespace skintest
