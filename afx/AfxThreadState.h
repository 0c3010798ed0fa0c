#pragma once
// What the class library keeps per user-interface thread: the message being
// handled (so that Default() replays it), the window objects attached to
// window handles, the procedures below the library's, the wrappers handed out
// for foreign handles, and the object that a window under construction is to
// be attached to.
#include <windows.h>

#include <memory>
#include <unordered_map>

class CWnd;
class CDC;
class CMenu;

struct AfxThreadState {
  MSG lastSentMsg{};
  int nDispatchDepth = 0;

  std::unordered_map<HWND, CWnd*> permanentWnds;
  // For each window whose chain holds the library's procedure, the one below
  // it. Kept here, not as a property on the window: reading a property is a
  // round trip to Wine's server, and binding a control would make two.
  std::unordered_map<HWND, WNDPROC> superProcs;
  std::unordered_map<HWND, std::unique_ptr<CWnd>> temporaryWnds;
  std::unordered_map<HDC, std::unique_ptr<CDC>> temporaryDCs;
  std::unordered_map<HMENU, std::unique_ptr<CMenu>> temporaryMenus;

  CWnd* pWndInit = nullptr;
  HHOOK hHookCbt = nullptr;
  HHOOK hHookGetMessage = nullptr;
  // Whether a failed drawing handler was shown to the user already.
  bool bDrawingFailureShown = false;

  // Wrappers for foreign handles live until the thread next takes a message
  // from its queue outside every handler, that is when it is back in a
  // message loop: a caller may hold one across any number of sends, inside a
  // handler or outside. Each FromHandle that makes a wrapper calls this.
  void KeepUntilIdle();
  void DeleteTemporaries();
};

AfxThreadState& AfxGetThreadState();
