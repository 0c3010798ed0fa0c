#pragma once
#include "afxwin.h"

// Posted to the other controls of a radio group when a radio-kind skin button
// is checked; both parameters 0.
constexpr UINT WM_SKINBUTTON_UNCHECK = WM_USER + 0x100;

// A button painted entirely from pictures chosen by state (normal, pressed,
// mouse over, focus, disabled), with hover and press feedback and a tool tip
// of its own. It can stand in for a check box or a radio button and then
// keeps the check state itself, since an owner-drawn button keeps none.
class CxSkinButton : public CButton {
 public:
  CxSkinButton();
  ~CxSkinButton() override;

  // Bitmap resource ids; the disabled picture is the normal one. Selects the
  // plain mode, no border and no focus margin; repaints nothing.
  void SetSkin(UINT nNormal, UINT nDown, UINT nOver, UINT nFocus);
  void SetToolTipText(CString strText);

  enum ButtonKind { KindPush = 0, KindCheckBox = 2, KindRadio = 4 };
  enum DrawMode { DrawPlain = 0, DrawStretched = 1, DrawTiled = 2 };

 protected:
  bool m_bChecked = false;
  int m_nButtonKind = KindPush;
  // The pointer is over the button and its leaving will be reported.
  bool m_bMouseOver = false;
  bool m_bLButtonDown = false;
  CToolTipCtrl m_wndToolTip;
  CBitmap m_bmpNormal;
  CBitmap m_bmpDown;
  CBitmap m_bmpDisabled;
  // Black where the picture shows, white where what lies behind shows.
  CBitmap m_bmpMask;
  CBitmap m_bmpOver;
  CBitmap m_bmpFocus;
  short m_nFocusMargin = 0;
  COLORREF m_crText;
  HGDIOBJ m_hExtraGdiObject = nullptr;
  BOOL m_bBorder = FALSE;
  short m_nDrawMode = DrawStretched;

  void PreSubclassWindow() override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

  BOOL OnEraseBkgnd(CDC* pDC);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnKillFocus(CWnd* pNewWnd);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
  LRESULT OnUncheck(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  bool IsPressTracked() const;
  bool IsUnderPoint(POINT ptScreen) const;
  void RelayEvent(UINT message, UINT nFlags, CPoint point);
  void CheckAction();
  void UncheckGroup();
  void DrawFace(CBitmap& bmp, CDC* pDC, const CRect& rc);
  // These draw a loaded picture in the current draw mode.
  void DrawBitmap(CBitmap& bmp, CDC* pDC, const CRect& rc);
  void DrawMaskedBitmap(CBitmap& bmp, CDC* pDC, CDC* pPictureDC, const CRect& rc);
  void TileBitmap(CBitmap& bmp, CDC* pDC, const CRect& rc);
  void DrawCaption(CDC* pDC, const CString& strCaption, CRect rcText, COLORREF crText);
  CRect FocusRect(const CRect& rcItem) const;
};
