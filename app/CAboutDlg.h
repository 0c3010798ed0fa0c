#pragma once
#include "afxwin.h"
#include "resource.h"

// The About box, opened from the calculator's system menu.
class CAboutDlg : public CDialog {
 public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
