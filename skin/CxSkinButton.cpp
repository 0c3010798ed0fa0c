#include "CxSkinButton.h"

#include <algorithm>
#include <vector>

namespace {

constexpr UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

bool IsLoaded(const CBitmap& bmp) { return bmp.GetSafeHandle() != nullptr; }

SIZE BitmapSize(const CBitmap& bmp) {
  BITMAP bm{};
  bmp.GetBitmap(&bm);
  return SIZE{bm.bmWidth, bm.bmHeight};
}

}  // namespace

BEGIN_MESSAGE_MAP(CxSkinButton, CButton)
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KILLFOCUS()
  ON_WM_KEYDOWN()
  ON_MESSAGE(WM_MOUSELEAVE, &CxSkinButton::OnMouseLeave)
  ON_MESSAGE(WM_SKINBUTTON_UNCHECK, &CxSkinButton::OnUncheck)
  ON_MESSAGE(BM_SETCHECK, &CxSkinButton::OnSetCheck)
  ON_MESSAGE(BM_GETCHECK, &CxSkinButton::OnGetCheck)
END_MESSAGE_MAP()

CxSkinButton::CxSkinButton() : m_crText(::GetSysColor(COLOR_BTNTEXT)) {}

// The bitmaps and the tool tip go after this, as members, in reverse order.
CxSkinButton::~CxSkinButton() {
  if (m_hExtraGdiObject != nullptr) ::DeleteObject(m_hExtraGdiObject);
}

void CxSkinButton::SetSkin(UINT nNormal, UINT nDown, UINT nOver, UINT nFocus) {
  m_bmpNormal.DeleteObject();
  m_bmpDown.DeleteObject();
  m_bmpOver.DeleteObject();
  m_bmpDisabled.DeleteObject();
  m_bmpMask.DeleteObject();
  m_bmpFocus.DeleteObject();
  m_bmpNormal.LoadBitmap(nNormal);
  m_bmpDown.LoadBitmap(nDown);
  m_bmpOver.LoadBitmap(nOver);
  m_bmpFocus.LoadBitmap(nFocus);
  m_bmpDisabled.LoadBitmap(nNormal);
  m_nDrawMode = DrawPlain;
  m_bBorder = FALSE;
  m_nFocusMargin = 0;
}

void CxSkinButton::SetToolTipText(CString strText) {
  if (m_wndToolTip.GetSafeHwnd() != nullptr) {
    m_wndToolTip.UpdateTipText(strText, this, 0);
    return;
  }
  // The button is not subclassed by the tip: its mouse handlers relay to it.
  if (m_wndToolTip.Create(this, 0) && m_wndToolTip.AddTool(this, strText, nullptr, 0)) m_wndToolTip.Activate(TRUE);
}

void CxSkinButton::PreSubclassWindow() {
  // Bit tests, not a look at the type field: the kind is decided from the
  // template before the owner-draw bits are ORed in below.
  const UINT nStyle = static_cast<UINT>(::GetWindowLongW(m_hWnd, GWL_STYLE)) & 0xFFFF;
  if ((nStyle & 3) == 3) m_nButtonKind = KindCheckBox;
  else if ((nStyle & 9) == 9) m_nButtonKind = KindRadio;
  else m_nButtonKind = KindPush;
  CButton::PreSubclassWindow();
  ModifyStyle(0, BS_OWNERDRAW, 0);
}

// --- Pointer, keyboard and check state ---

bool CxSkinButton::IsPressTracked() const { return m_bLButtonDown && ::GetCapture() == m_hWnd; }

bool CxSkinButton::IsUnderPoint(POINT ptScreen) const { return ::WindowFromPoint(ptScreen) == m_hWnd; }

void CxSkinButton::RelayEvent(UINT message, UINT nFlags, CPoint point) {
  if (m_wndToolTip.GetSafeHwnd() == nullptr) return;
  MSG msg{};
  msg.hwnd = m_hWnd;
  msg.message = message;
  msg.wParam = nFlags;
  msg.lParam = MAKELPARAM(point.x, point.y);
  msg.time = 0;
  msg.pt.x = LOWORD(msg.lParam);
  msg.pt.y = HIWORD(msg.lParam);
  m_wndToolTip.RelayEvent(&msg);
}

BOOL CxSkinButton::OnEraseBkgnd(CDC*) { return TRUE; }

void CxSkinButton::OnLButtonDown(UINT nFlags, CPoint point) {
  RelayEvent(WM_LBUTTONDOWN, nFlags, point);
  if (m_bMouseOver) {
    TRACKMOUSEEVENT tme{sizeof(tme), TME_CANCEL | TME_LEAVE, m_hWnd, 0};
    if (::_TrackMouseEvent(&tme)) m_bMouseOver = false;
  }
  Default();
  m_bLButtonDown = true;
}

void CxSkinButton::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_nButtonKind != KindPush) {
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    // Before the default handling, so that the parent's BN_CLICKED handler
    // already sees the new check state.
    if (IsUnderPoint(ptScreen)) CheckAction();
  }
  RelayEvent(WM_LBUTTONUP, nFlags, point);
  m_bLButtonDown = false;
  Default();
}

void CxSkinButton::OnMouseMove(UINT nFlags, CPoint point) {
  RelayEvent(WM_MOUSEMOVE, nFlags, point);
  if (IsPressTracked()) {
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    const bool bOver = IsUnderPoint(ptScreen);
    const bool bPushed = (GetState() & BST_PUSHED) != 0;
    if (bOver != bPushed) {
      SetState(bOver);
      InvalidateRect(nullptr, TRUE);
    }
  } else if (!m_bMouseOver) {
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, m_hWnd, 0};
    if (::_TrackMouseEvent(&tme)) {
      m_bMouseOver = true;
      InvalidateRect(nullptr, TRUE);
    }
  }
  Default();
}

// The platform's handling of a double click would neither press the button
// nor click it: make the second click an ordinary press.
void CxSkinButton::OnLButtonDblClk(UINT nFlags, CPoint point) {
  SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

void CxSkinButton::OnKillFocus(CWnd*) {
  if (::GetCapture() == m_hWnd) {
    ::ReleaseCapture();
    m_bLButtonDown = false;
  }
  Default();
}

void CxSkinButton::OnKeyDown(UINT nChar, UINT, UINT) {
  if (nChar == VK_SPACE && m_nButtonKind != KindPush) CheckAction();
  Default();
}

LRESULT CxSkinButton::OnMouseLeave(WPARAM, LPARAM) {
  m_bMouseOver = false;
  InvalidateRect(nullptr, TRUE);
  return 0;
}

LRESULT CxSkinButton::OnUncheck(WPARAM, LPARAM) {
  if (m_bChecked) {
    m_bChecked = false;
    InvalidateRect(nullptr, TRUE);
  }
  return 0;
}

void CxSkinButton::CheckAction() {
  if (m_nButtonKind == KindCheckBox) SendMessage(BM_SETCHECK, m_bChecked ? 0 : 1);
  else if (m_nButtonKind == KindRadio) SendMessage(BM_SETCHECK, 1);
}

LRESULT CxSkinButton::OnSetCheck(WPARAM wParam, LPARAM) {
  m_bChecked = wParam != 0 && m_nButtonKind != KindPush;
  if (m_nButtonKind == KindRadio && m_bChecked) UncheckGroup();
  InvalidateRect(nullptr, TRUE);
  return 0;
}

LRESULT CxSkinButton::OnGetCheck(WPARAM, LPARAM) { return m_bChecked ? 1 : 0; }

// The platform's group walk skips disabled and hidden controls, so when this
// button is one of those the walk never comes back to it: it also ends at the
// first control met a second time.
void CxSkinButton::UncheckGroup() {
  CWnd* pParent = GetParent();
  if (m_hWnd == nullptr || pParent == nullptr) return;
  std::vector<HWND> visited;
  for (HWND hCtl = ::GetNextDlgGroupItem(pParent->m_hWnd, m_hWnd, FALSE);
       hCtl != nullptr && hCtl != m_hWnd && std::find(visited.begin(), visited.end(), hCtl) == visited.end();
       hCtl = ::GetNextDlgGroupItem(pParent->m_hWnd, hCtl, FALSE)) {
    visited.push_back(hCtl);
    ::PostMessageW(hCtl, WM_SKINBUTTON_UNCHECK, 0, 0);
  }
}

// --- Painting ---

void CxSkinButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  const UINT nState = lpDrawItemStruct->itemState;
  CDCArgument dc(lpDrawItemStruct->hDC);
  CDC* pDC = dc.Get();
  CRect rcItem = lpDrawItemStruct->rcItem;

  // During a press the pushed look must follow the pointer off the button and
  // back; if it does not, correct the state and let that change bring the paint.
  POINT ptCursor;
  if (IsPressTracked() && ::GetCursorPos(&ptCursor)) {
    const bool bOver = IsUnderPoint(ptCursor);
    const bool bPushed = (GetState() & BST_PUSHED) != 0;
    if (bOver != bPushed) {
      SetState(bOver);
      return;
    }
  }

  CString strCaption;
  GetWindowText(strCaption);
  CRect rcText = rcItem;
  rcText.left += m_nFocusMargin + 2;
  rcText.right -= m_nFocusMargin + 2;
  pDC->SetBkMode(TRANSPARENT);

  if (nState & ODS_DISABLED) {
    DrawFace(m_bmpDisabled, pDC, rcItem);
    if (m_bBorder) pDC->DrawEdge(rcItem, EDGE_RAISED, BF_RECT);
    DrawCaption(pDC, strCaption, rcText, ::GetSysColor(COLOR_3DHILIGHT));
    rcText.OffsetRect(-1, -1);
    DrawCaption(pDC, strCaption, rcText, ::GetSysColor(COLOR_GRAYTEXT));
    return;
  }

  if ((nState & ODS_SELECTED) || m_bChecked) {
    DrawFace(m_bmpDown, pDC, rcItem);
    rcText.OffsetRect(1, 1);
    if (m_bBorder) pDC->DrawEdge(rcItem, EDGE_SUNKEN, BF_RECT);
  } else {
    // Without the normal picture the other ones are not used either.
    CBitmap* pFace = &m_bmpNormal;
    if (IsLoaded(m_bmpNormal) && m_bMouseOver && IsLoaded(m_bmpOver)) pFace = &m_bmpOver;
    else if (IsLoaded(m_bmpNormal) && (nState & ODS_FOCUS) && IsLoaded(m_bmpFocus)) pFace = &m_bmpFocus;
    DrawFace(*pFace, pDC, rcItem);
    if (m_bBorder) pDC->DrawEdge(rcItem, EDGE_RAISED, BF_RECT);
  }

  // The focus picture may look like the normal one, so the focus rectangle
  // shows the focus too, unless the keyboard cues are hidden.
  if ((nState & ODS_FOCUS) && !(nState & ODS_NOFOCUSRECT)) pDC->DrawFocusRect(FocusRect(rcItem));
  DrawCaption(pDC, strCaption, rcText, m_crText);
}

// Without a margin the rectangle goes round the face as drawn: a picture
// drawn plain covers only its own size of a larger button.
CRect CxSkinButton::FocusRect(const CRect& rcItem) const {
  CRect rcFocus = rcItem;
  if (m_nFocusMargin > 0) {
    rcFocus.DeflateRect(m_nFocusMargin, m_nFocusMargin);
  } else if (m_nDrawMode == DrawPlain && IsLoaded(m_bmpNormal)) {
    const SIZE size = BitmapSize(m_bmpNormal);
    rcFocus.right = std::min<LONG>(rcFocus.right, rcFocus.left + size.cx);
    rcFocus.bottom = std::min<LONG>(rcFocus.bottom, rcFocus.top + size.cy);
  }
  return rcFocus;
}

void CxSkinButton::DrawCaption(CDC* pDC, const CString& strCaption, CRect rcText, COLORREF crText) {
  pDC->SetTextColor(crText);
  pDC->DrawText(strCaption, -1, rcText, kCaptionFormat);
}

// Without its picture a face is plain.
void CxSkinButton::DrawFace(CBitmap& bmp, CDC* pDC, const CRect& rc) {
  if (IsLoaded(bmp)) DrawBitmap(bmp, pDC, rc);
  else pDC->FillRect(rc, ::GetSysColorBrush(COLOR_BTNFACE));
}

void CxSkinButton::DrawBitmap(CBitmap& bmp, CDC* pDC, const CRect& rc) {
  if (m_nDrawMode == DrawTiled) {
    TileBitmap(bmp, pDC, rc);
    return;
  }
  CDC dcPicture;
  dcPicture.CreateCompatibleDC(pDC);
  dcPicture.SelectObject(bmp);
  if (IsLoaded(m_bmpMask)) {
    DrawMaskedBitmap(bmp, pDC, &dcPicture, rc);
  } else if (m_nDrawMode == DrawPlain) {
    pDC->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcPicture, 0, 0, SRCCOPY);
  } else {
    const SIZE size = BitmapSize(bmp);
    pDC->StretchBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcPicture, 0, 0, size.cx, size.cy, SRCCOPY);
  }
}

// Composes off screen, so that the face reaches the screen in one copy:
// picture XOR, mask AND, picture XOR leaves what was behind the button where
// the mask is white and the picture where it is black.
void CxSkinButton::DrawMaskedBitmap(CBitmap& bmp, CDC* pDC, CDC* pPictureDC, const CRect& rc) {
  const int w = rc.Width();
  const int h = rc.Height();
  // Declared so that they go in this order: work context, work bitmap (no
  // longer selected then, so it can be deleted), mask context.
  CDC dcMask;
  dcMask.CreateCompatibleDC(pDC);
  dcMask.SelectObject(m_bmpMask);
  CBitmap bmpWork;
  bmpWork.CreateCompatibleBitmap(*pDC, w, h);
  CDC dcWork;
  dcWork.CreateCompatibleDC(pDC);
  dcWork.SelectObject(bmpWork);

  dcWork.BitBlt(0, 0, w, h, pDC, rc.left, rc.top, SRCCOPY);
  if (m_nDrawMode == DrawPlain) {
    dcWork.BitBlt(0, 0, w, h, pPictureDC, 0, 0, SRCINVERT);
    dcWork.BitBlt(0, 0, w, h, &dcMask, 0, 0, SRCAND);
    dcWork.BitBlt(0, 0, w, h, pPictureDC, 0, 0, SRCINVERT);
  } else {
    // The mask is scaled as if it had the picture's size.
    const SIZE size = BitmapSize(bmp);
    dcWork.StretchBlt(0, 0, w, h, pPictureDC, 0, 0, size.cx, size.cy, SRCINVERT);
    dcWork.StretchBlt(0, 0, w, h, &dcMask, 0, 0, size.cx, size.cy, SRCAND);
    dcWork.StretchBlt(0, 0, w, h, pPictureDC, 0, 0, size.cx, size.cy, SRCINVERT);
  }
  pDC->BitBlt(rc.left, rc.top, w, h, &dcWork, 0, 0, SRCCOPY);
}

void CxSkinButton::TileBitmap(CBitmap& bmp, CDC* pDC, const CRect& rc) {
  CDC dcPicture;
  dcPicture.CreateCompatibleDC(pDC);
  dcPicture.SelectObject(bmp);
  const SIZE size = BitmapSize(bmp);
  for (int y = rc.top; y < rc.bottom; y += size.cy) {
    const int h = std::min<int>(size.cy, rc.bottom - y);
    for (int x = rc.left; x < rc.right; x += size.cx)
      pDC->BitBlt(x, y, std::min<int>(size.cx, rc.right - x), h, &dcPicture, 0, 0, SRCCOPY);
  }
}
