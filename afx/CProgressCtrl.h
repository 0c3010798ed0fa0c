#pragma once
#include <windows.h>
#include <commctrl.h>

#include "CWnd.h"

// The common controls' progress bar.
class CProgressCtrl : public CWnd {
 public:
  void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, nLower, nUpper); }
  int SetPos(int nPos) { return static_cast<int>(SendMessage(PBM_SETPOS, nPos)); }
};
