#pragma once
#include <windows.h>

class CWnd;

// Carries a dialog and the direction of one data exchange. The program only
// binds controls with it; the data itself lives in the dialog's own members.
class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
};

// Attaches the dialog's control nIDC to rControl, once.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
