#pragma once
#include "CWnd.h"

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)

 public:
  // Selects characters; unless told not to, scrolls the caret into view.
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
  void ReplaceSel(LPCWSTR lpszNewText, BOOL bCanUndo = FALSE);
};
