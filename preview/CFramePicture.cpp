#include "CFramePicture.h"

#include <algorithm>
#include <cmath>

#include "Utf.h"

namespace {

constexpr UINT_PTR kSweepTimer = 1;
constexpr UINT kSweepMs = 40;  // 25 frames a second
constexpr COLORREF kSurround = RGB(30, 30, 30);
constexpr COLORREF kPlaceholder = RGB(128, 128, 128);
constexpr COLORREF kPlaceholderText = RGB(255, 255, 255);

// The frame at x across a width: the left edge is frame 1, the right edge
// frame N, in even steps between.
int32_t FrameAt(int x, int nWidth, int32_t nFrames) {
  if (nWidth <= 1 || nFrames <= 1) return 1;
  const double along = std::clamp(double(x) / (nWidth - 1), 0.0, 1.0);
  return 1 + static_cast<int32_t>(std::lround(along * (nFrames - 1)));
}

// The largest rectangle of the picture's aspect, centred in the box.
CRect Fitted(const CRect& box, int32_t nWidth, int32_t nHeight) {
  const double scale = std::min(double(box.Width()) / nWidth, double(box.Height()) / nHeight);
  const int w = std::max(1, static_cast<int>(nWidth * scale));
  const int h = std::max(1, static_cast<int>(nHeight * scale));
  const int x = box.left + (box.Width() - w) / 2;
  const int y = box.top + (box.Height() - h) / 2;
  return CRect(x, y, x + w, y + h);
}

}  // namespace

BEGIN_MESSAGE_MAP(CFramePicture, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_TIMER()
END_MESSAGE_MAP()

BOOL CFramePicture::Create(CWnd* pParentWnd, UINT nID, FrameCache* pCache) {
  m_pCache = pCache;
  const LPCWSTR className = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW));
  return CreateEx(0, className, L"Rendered frame", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(), pParentWnd, nID);
}

void CFramePicture::ShowFrame(int32_t nFrame) {
  nFrame = std::clamp(nFrame, 1, std::max(1, m_pCache->FrameCount()));
  if (nFrame == m_nFrame) return;
  m_nFrame = nFrame;
  m_strReason.clear();
  m_columns = m_pCache->Get(nFrame, &m_strReason);
  Invalidate(FALSE);
  GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), FPN_FRAMECHANGED), reinterpret_cast<LPARAM>(m_hWnd));
}

// Drawn off screen and put up in one piece, so that a sweep does not flicker.
void CFramePicture::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (client.Width() <= 0 || client.Height() <= 0) return;
  CMemDC buffered(dc, this);
  Draw(&buffered.GetDC(), client);
}

void CFramePicture::Draw(CDC* pDC, const CRect& client) {
  pDC->FillRect(client, CBrush(kSurround));
  CRect box = client;
  box.DeflateRect(4, 4);
  if (m_columns) {
    const FrameColumns& columns = *m_columns;
    const CRect fit = Fitted(box, columns.nWidth, columns.nHeight);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = columns.nWidth;
    info.bmiHeader.biHeight = -columns.nHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // Enlarged, each of the hologram's pixels stays a sharp block, as it will
    // be printed, and costs a fifteenth of the averaging that a picture made
    // smaller needs against moire.
    const bool bShrunk = fit.Width() < columns.nWidth || fit.Height() < columns.nHeight;
    ::SetStretchBltMode(*pDC, bShrunk ? HALFTONE : COLORONCOLOR);
    ::SetBrushOrgEx(*pDC, 0, 0, nullptr);
    ::StretchDIBits(*pDC, fit.left, fit.top, fit.Width(), fit.Height(), 0, 0, columns.nWidth, columns.nHeight,
                    columns.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  } else if (m_nFrame > 0) {
    pDC->FillRect(box, CBrush(kPlaceholder));
    pDC->SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(kPlaceholderText);
    const std::wstring text = L"Frame " + std::to_wstring(m_nFrame) + L": " + Utf16(m_strReason);
    pDC->DrawText(text.c_str(), static_cast<int>(text.size()), box,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  if (GetFocus() == this) {
    CRect focus = client;
    focus.DeflateRect(1, 1);
    pDC->SetTextColor(RGB(255, 255, 255));
    pDC->SetBkColor(RGB(0, 0, 0));
    pDC->DrawFocusRect(focus);
  }
}

void CFramePicture::OnMouseMove(UINT, CPoint point) {
  CRect client;
  GetClientRect(&client);
  ShowFrame(FrameAt(point.x, client.Width(), m_pCache->FrameCount()));
}

void CFramePicture::OnLButtonDown(UINT nFlags, CPoint point) {
  SetFocus();
  OnMouseMove(nFlags, point);
}

void CFramePicture::OnKeyDown(UINT nChar, UINT, UINT) {
  const int32_t nFrames = m_pCache->FrameCount();
  const int32_t nPage = std::max(1, nFrames / 8);
  switch (nChar) {
    case VK_LEFT: ShowFrame(m_nFrame - 1); break;
    case VK_RIGHT: ShowFrame(m_nFrame + 1); break;
    case VK_PRIOR: ShowFrame(m_nFrame - nPage); break;
    case VK_NEXT: ShowFrame(m_nFrame + nPage); break;
    case VK_HOME: ShowFrame(1); break;
    case VK_END: ShowFrame(nFrames); break;
    case VK_SPACE: ToggleSweep(); break;
    default: Default();
  }
}

void CFramePicture::ToggleSweep() {
  if (IsSweeping()) {
    KillTimer(kSweepTimer);
    m_nSweepStep = 0;
    return;
  }
  m_nSweepStep = m_nFrame < m_pCache->FrameCount() ? 1 : -1;
  SetTimer(kSweepTimer, kSweepMs);
}

// At either end the sweep turns back.
void CFramePicture::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kSweepTimer) {
    Default();
    return;
  }
  const int32_t nNext = m_nFrame + m_nSweepStep;
  if (nNext < 1 || nNext > m_pCache->FrameCount()) m_nSweepStep = -m_nSweepStep;
  ShowFrame(m_nFrame + m_nSweepStep);
}
