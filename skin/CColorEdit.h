#pragma once
#include "afxwin.h"

// A flat edit field in colours of its owner's choosing that, unless told
// otherwise, keeps its text a plain non-negative decimal number, or a whole
// number where its owner asks. Both work by reflection: the parent hands the
// field's colour requests and EN_UPDATE back to it, so the owner needs no code
// for either.
class CColorEdit : public CEdit {
  DECLARE_DYNAMIC(CColorEdit)

 public:
  CColorEdit();

  // Both need the window attached: they repaint it.
  void SetBkColor(COLORREF crColor);
  void SetTextColor(COLORREF crColor);

  // Whole numbers only, where the default lets one decimal point through: a
  // typed point or comma is refused with a beep and a balloon tip on the field
  // titled pszWhy, as the platform's number-only edits refuse a letter; a
  // pasted or set text is cut at its first character that is not a digit.
  void SetWholeNumbers(bool bWhole, const wchar_t* pszWhy = L"Whole numbers only");

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
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void FilterNumericText(CString strText);

  DECLARE_MESSAGE_MAP()

 private:
  void RemoveLastCharacter(int nLength);
  bool IsNumericText(const CString& strText) const;

  bool m_bWholeNumbers = false;
  CString m_strWholeNumbersTip;

  // How deep the filter's own runs nest; 0 outside of them.
  int m_nFilterDepth = 0;
};
