#pragma once
#include "CWinApp.h"

// The extended application class; the program uses nothing beyond its base.
class CWinAppEx : public CWinApp {
 public:
  using CWinApp::CWinApp;
};
