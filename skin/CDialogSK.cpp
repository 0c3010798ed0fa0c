#include "CDialogSK.h"

BEGIN_MESSAGE_MAP(CDialogSK, CDialog)
  ON_WM_LBUTTONDOWN()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
END_MESSAGE_MAP()

CDialogSK::CDialogSK(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

CDialogSK::~CDialogSK() { DeleteBackground(); }

void CDialogSK::DeleteBackground() {
  if (m_hBkBitmap != nullptr) ::DeleteObject(m_hBkBitmap);
  m_hBkBitmap = nullptr;
}

BOOL CDialogSK::SetBackgroundBitmap(HBITMAP hBitmap) {
  // Handing back the picture already held must not delete it under our feet.
  if (hBitmap != m_hBkBitmap) DeleteBackground();
  m_hBkBitmap = nullptr;
  if (hBitmap != nullptr) {
    m_hBkBitmap = hBitmap;
    BITMAP bm{};
    // GetObjectW also describes brushes, pens and fonts; only a bitmap may stay,
    // or the tile loop would step by whatever those records hold, even 0.
    if (::GetObjectType(hBitmap) != OBJ_BITMAP || ::GetObjectW(hBitmap, sizeof(bm), &bm) == 0) {
      DeleteBackground();
      return FALSE;
    }
    m_nBkWidth = static_cast<UINT>(bm.bmWidth);
    m_nBkHeight = static_cast<UINT>(bm.bmHeight);
  }
  if (::IsWindow(m_hWnd)) InvalidateRect(nullptr, TRUE);
  return TRUE;
}

void CDialogSK::SetBackgroundStyle(int nStyle) { m_nBkStyle = nStyle; }

BOOL CDialogSK::OnInitDialog() {
  CDialog::OnInitDialog();
  return TRUE;
}

void CDialogSK::OnLButtonDown(UINT, CPoint point) {
  // Posted, so that the press is handled to its end before the platform's
  // caption-drag loop starts, exactly as after a press on a title bar.
  if (m_bDragMove) PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
  Default();
}

BOOL CDialogSK::OnEraseBkgnd(CDC* pDC) {
  const BOOL bErased = static_cast<BOOL>(Default());
  if (m_hBkBitmap == nullptr) return bErased;

  CRect rcClient;
  GetClientRect(&rcClient);
  CDC dcBitmap;
  dcBitmap.CreateCompatibleDC(pDC);
  HGDIOBJ hOldBitmap = dcBitmap.SelectObject(m_hBkBitmap);
  DrawBackground(pDC, &dcBitmap, rcClient.Width(), rcClient.Height());
  dcBitmap.SelectObject(hOldBitmap);
  return bErased;
}

void CDialogSK::DrawBackground(CDC* pDC, CDC* pBitmapDC, int nWidth, int nHeight) {
  const int nBkWidth = static_cast<int>(m_nBkWidth);
  const int nBkHeight = static_cast<int>(m_nBkHeight);
  switch (m_nBkStyle) {
    case BkStyleNormal:
    case BkStyleTopLeft:
      pDC->BitBlt(0, 0, nWidth, nHeight, pBitmapDC, 0, 0, SRCCOPY);
      break;
    case BkStyleTile:
      // Each copy reaches to the far corner; the copies after it cover the excess.
      for (int y = 0; y < nHeight; y += nBkHeight)
        for (int x = 0; x < nWidth; x += nBkWidth) pDC->BitBlt(x, y, nWidth, nHeight, pBitmapDC, 0, 0, SRCCOPY);
      break;
    case BkStyleCenter:
      pDC->BitBlt((nWidth - nBkWidth) / 2, (nHeight - nBkHeight) / 2, nWidth, nHeight, pBitmapDC, 0, 0, SRCCOPY);
      break;
    case BkStyleStretch:
      pDC->StretchBlt(0, 0, nWidth, nHeight, pBitmapDC, 0, 0, nBkWidth, nBkHeight, SRCCOPY);
      break;
    default:
      break;
  }
}

void CDialogSK::OnSize(UINT, int, int) {
  Default();
  // Tile, centre and stretch depend on the client size: redraw all of it.
  if (m_hBkBitmap != nullptr) InvalidateRect(nullptr, TRUE);
}
