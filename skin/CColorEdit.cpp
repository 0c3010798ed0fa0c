#include "CColorEdit.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CColorEdit, CEdit)

namespace {
constexpr int kMaxFilterDepth = 16;
}

BEGIN_MESSAGE_MAP(CColorEdit, CEdit)
  ON_WM_CTLCOLOR_REFLECT()
  ON_CONTROL_REFLECT(EN_UPDATE, &CColorEdit::OnUpdate)
  ON_WM_CHAR()
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

void CColorEdit::SetWholeNumbers(bool bWhole, const wchar_t* pszWhy) {
  m_bWholeNumbers = bWhole;
  m_strWholeNumbersTip = pszWhy;
}

// A point or comma typed into a whole number would otherwise be cut away by
// the filter without a word, or read as the end of the number.
void CColorEdit::OnChar(UINT nChar, UINT, UINT) {
  if (!m_bWholeNumbers || m_bFreeText || (nChar != L'.' && nChar != L',')) {
    Default();
    return;
  }
  ::MessageBeep(MB_OK);
  EDITBALLOONTIP tip{sizeof tip, m_strWholeNumbersTip, L"Type the number without a decimal point or comma.", TTI_ERROR};
  SendMessage(EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
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
  if (m_bFreeText || m_nFilterDepth >= kMaxFilterDepth) return;
  ++m_nFilterDepth;
  FilterNumericText(strText);
  --m_nFilterDepth;
  if (m_nFilterDepth > 0) return;
  // A long paste with a stray character early in it would nest one run per
  // removal: Wine stops reporting EN_UPDATE after about thirty levels, and
  // Windows would go as deep as the text is long. The runs are held to a few
  // levels, and the outermost one finishes the cut, in the same steps.
  for (GetWindowText(strText); !IsNumericText(strText); GetWindowText(strText)) {
    const int nLength = strText.GetLength();
    ++m_nFilterDepth;
    FilterNumericText(strText);
    --m_nFilterDepth;
    CString strAfter;
    GetWindowText(strAfter);
    if (strAfter.GetLength() >= nLength) break;
  }
}

bool CColorEdit::IsNumericText(const CString& strText) const {
  bool bDotSeen = false;
  for (int i = 0; i < strText.GetLength(); ++i) {
    const wchar_t c = strText[i];
    if (c >= L'0' && c <= L'9') continue;
    if (c != L'.' || bDotSeen || m_bWholeNumbers) return false;
    bDotSeen = true;
  }
  return strText.GetLength() != 1 || strText[0] != L'.';
}

// Cuts the text back from its end until it is digits with at most one dot
// (none for whole numbers), and not a dot alone. Each removal raises
// EN_UPDATE again while it is being made, so a nested run finishes the job on
// the shorter text; the removals this run makes after that address positions
// past the new end and change nothing. A rejected character thus takes everything after it away too.
void CColorEdit::FilterNumericText(CString strText) {
  const int nLength = strText.GetLength();
  bool bDotSeen = false;
  for (int i = 0; i < nLength; ++i) {
    const wchar_t c = strText[i];
    if (c >= L'0' && c <= L'9') continue;
    if (c == L'.' && !m_bWholeNumbers) {
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
