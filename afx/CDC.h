#pragma once
#include <windows.h>

#include "CObject.h"
#include "CRect.h"

class CWnd;

// A device context. One made by CreateCompatibleDC is owned and deleted with
// the object. Whatever was selected in through SelectObject is selected back
// out before the context is deleted or detached, so that no graphics object
// is left selected into a context (where it could not be deleted). Wrappers
// from FromHandle track nothing: the platform may hand the same handle to
// another paint before the wrapper goes.
class CDC : public CObject {
 public:
  CDC() = default;
  ~CDC() override;

  HDC m_hDC = nullptr;
  operator HDC() const { return m_hDC; }
  HDC GetSafeHdc() const { return m_hDC; }

  // A wrapper for a context the program does not own; it lives until the
  // thread is back in a message loop.
  static CDC* FromHandle(HDC hDC);
  BOOL Attach(HDC hDC);
  HDC Detach();
  BOOL CreateCompatibleDC(CDC* pDC);
  BOOL DeleteDC();

  HGDIOBJ SelectObject(HGDIOBJ hObject);

  BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
  BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                  int nSrcWidth, int nSrcHeight, DWORD dwRop);
  void FillRect(LPCRECT lpRect, HBRUSH hBrush) { ::FillRect(m_hDC, lpRect, hBrush); }
  COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
  COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
  int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
  int DrawText(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
    return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
  }
  BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
  void DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
  BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }

 protected:
  // For a context the platform lends: what is selected into it stays.
  void AttachUntracked(HDC hDC);
  void RestoreSelections();

 private:
  bool m_bOwned = false;
  bool m_bTemporary = false;
  // What each kind of object the context held before this object first
  // replaced it: pen, brush, font, bitmap.
  HGDIOBJ m_hOriginal[4] = {};
};
