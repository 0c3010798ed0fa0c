#pragma once
#include "afxwin.h"

// A flat edit field in colours of its owner's choosing that, unless told
// otherwise, keeps its text a plain non-negative decimal number. Both work by
// reflection: the parent hands the field's colour requests and EN_UPDATE back
// to it, so the owner needs no code for either.
class CColorEdit : public CEdit {
  DECLARE_DYNAMIC(CColorEdit)

 public:
  CColorEdit();

  // Both need the window attached: they repaint it.
  void SetBkColor(COLORREF crColor);
  void SetTextColor(COLORREF crColor);

 protected:
  COLORREF m_crBkColor = RGB(255, 255, 255);
  COLORREF m_crTextColor = RGB(0, 0, 0);
  // Always a solid brush of m_crBkColor, or none if one could not be made.
  CBrush m_brBkgnd;

 public:
  // TRUE shows any text as written: for fields whose text the owner sets.
  BOOL m_bFreeText = FALSE;

 protected:
  HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  void OnUpdate();
  void FilterNumericText(CString strText);

  DECLARE_MESSAGE_MAP()

 private:
  void RemoveLastCharacter(int nLength);
  static bool IsNumericText(const CString& strText);

  // How deep the filter's own runs nest; 0 outside of them.
  int m_nFilterDepth = 0;
};
