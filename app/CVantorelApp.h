#pragma once
#include "afxwin.h"

// The program: runs the calculator dialog for the life of the process.
class CVantorelApp : public CWinAppEx {
 public:
  BOOL InitInstance() override;
  DECLARE_MESSAGE_MAP()
};
