#pragma once
#include <windows.h>

#include <functional>

// A dialog run by the platform's own loop (DialogBox, or a loop that calls
// IsDialogMessage) never gets a look at a message before that loop turns keys
// into dialog navigation. The loop does offer each message to the thread's
// message-filter hook first; this object takes that offer for one dialog and
// its controls, the place for keyboard shortcuts and for feeding tool tips.
class PreTranslateHook {
 public:
  // The handler returns true to swallow the message.
  using Handler = std::function<bool(const MSG&)>;

  PreTranslateHook(HWND hDialog, Handler handler);
  ~PreTranslateHook();
  PreTranslateHook(const PreTranslateHook&) = delete;
  PreTranslateHook& operator=(const PreTranslateHook&) = delete;

 private:
  static LRESULT CALLBACK FilterProc(int nCode, WPARAM wParam, LPARAM lParam);
  bool Owns(HWND hWnd) const;
  bool Offer(const MSG& msg) const;

  HWND m_hDialog;
  Handler m_handler;
};
