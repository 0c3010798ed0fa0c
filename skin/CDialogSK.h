#pragma once
#include "afxwin.h"

// How CDialogSK draws its background picture.
enum BackgroundStyle {
  BkStyleNormal = 0,   // one unscaled copy at the client origin
  BkStyleTile = 1,     // repeated edge to edge from the client origin
  BkStyleCenter = 2,   // one unscaled copy centred in the client area
  BkStyleStretch = 3,  // the whole picture scaled onto the whole client area
  BkStyleTopLeft = 4,  // drawn as BkStyleNormal
};

// A dialog that paints a bitmap as its background and can be moved by a press
// anywhere on its own surface, having no title bar of its own to drag.
class CDialogSK : public CDialog {
 public:
  CDialogSK(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialogSK() override;

  // Takes ownership of hBitmap (null clears the background). FALSE, with the
  // handle deleted, when it does not describe a bitmap.
  BOOL SetBackgroundBitmap(HBITMAP hBitmap);
  // One of BackgroundStyle; any other value leaves the default erase alone.
  // Takes effect at the next erase.
  void SetBackgroundStyle(int nStyle);

  BOOL m_bDragMove = TRUE;

 protected:
  HBITMAP m_hBkBitmap = nullptr;
  // The size of m_hBkBitmap; meaningful only while it is held.
  UINT m_nBkWidth = 0;
  UINT m_nBkHeight = 0;
  int m_nBkStyle = BkStyleNormal;

  BOOL OnInitDialog() override;
  void OnLButtonDown(UINT nFlags, CPoint point);
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnSize(UINT nType, int cx, int cy);

  DECLARE_MESSAGE_MAP()

 private:
  void DeleteBackground();
  void DrawBackground(CDC* pDC, CDC* pBitmapDC, int nWidth, int nHeight);
};
