#pragma once
// Closes the message boxes that failed handlers show on this thread, and keeps
// what they said: a thread timer finds each box, which the box's own message
// loop runs. For a death test the text can also go to the standard error, on
// one line, for the parent process to match.
#include <windows.h>

#include <string>

class ReportBoxCloser {
 public:
  explicit ReportBoxCloser(bool bPrint = false);
  ~ReportBoxCloser();
  ReportBoxCloser(const ReportBoxCloser&) = delete;
  ReportBoxCloser& operator=(const ReportBoxCloser&) = delete;

  int Closed() const { return s_nClosed; }
  const std::wstring& LastText() const { return s_lastText; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  static BOOL CALLBACK CloseIfBox(HWND hWnd, LPARAM);

  UINT_PTR m_timer = 0;
  static inline bool s_bPrint = false;
  static inline int s_nClosed = 0;
  static inline std::wstring s_lastText;
};
