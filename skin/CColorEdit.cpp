#include "CColorEdit.h"

IMPLEMENT_DYNAMIC(CColorEdit, CEdit)

BEGIN_MESSAGE_MAP(CColorEdit, CEdit)
  ON_WM_CTLCOLOR_REFLECT()
  ON_CONTROL_REFLECT(EN_UPDATE, &CColorEdit::OnUpdate)
END_MESSAGE_MAP()

CColorEdit::CColorEdit() { m_brBkgnd.CreateSolidBrush(m_crBkColor); }

void CColorEdit::SetBkColor(COLORREF crColor) {
  m_crBkColor = crColor;
  m_brBkgnd.DeleteObject();
  m_brBkgnd.CreateSolidBrush(crColor);
  InvalidateRect(nullptr, TRUE);
}

void CColorEdit::SetTextColor(COLORREF crColor) {
  m_crTextColor = crColor;
  InvalidateRect(nullptr, TRUE);
}

HBRUSH CColorEdit::CtlColor(CDC* pDC, UINT) {
  // The background mode stays opaque, so the cells behind the characters take
  // the field's colour too and the field looks flat.
  pDC->SetBkColor(m_crBkColor);
  pDC->SetTextColor(m_crTextColor);
  return m_brBkgnd;
}

void CColorEdit::OnUpdate() {
  CString strText;
  GetWindowText(strText);
  if (!m_bFreeText) FilterNumericText(strText);
}

// Cuts the text back from its end until it is digits with at most one dot,
// and not a dot alone. Each removal raises EN_UPDATE again while it is being
// made, so a nested run finishes the job on the shorter text; the removals
// this run makes after that address positions past the new end and change
// nothing. A rejected character thus takes everything after it away too.
void CColorEdit::FilterNumericText(CString strText) {
  const int nLength = strText.GetLength();
  bool bDotSeen = false;
  for (int i = 0; i < nLength; ++i) {
    const wchar_t c = strText[i];
    if (c >= L'0' && c <= L'9') continue;
    if (c == L'.') {
      if (bDotSeen || nLength == 1) RemoveLastCharacter(nLength);
      bDotSeen = true;
      continue;
    }
    if (c == L'\0') break;
    RemoveLastCharacter(nLength);
  }
}

void CColorEdit::RemoveLastCharacter(int nLength) {
  SetSel(nLength - 1, nLength);
  ReplaceSel(L"", FALSE);
}
