#include "ReportBoxCloser.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr UINT kPollMs = 20;

BOOL CALLBACK AppendText(HWND hWnd, LPARAM lParam) {
  wchar_t text[512] = {};
  ::GetWindowTextW(hWnd, text, 512);
  *reinterpret_cast<std::wstring*>(lParam) += text;
  return TRUE;
}

}  // namespace

ReportBoxCloser::ReportBoxCloser(bool bPrint) {
  s_bPrint = bPrint;
  s_nClosed = 0;
  s_lastText.clear();
  m_timer = ::SetTimer(nullptr, 0, kPollMs, OnTimer);
}

ReportBoxCloser::~ReportBoxCloser() { ::KillTimer(nullptr, m_timer); }

void CALLBACK ReportBoxCloser::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  ::EnumThreadWindows(::GetCurrentThreadId(), CloseIfBox, 0);
}

// A report is a visible dialog box that says which handler failed.
BOOL CALLBACK ReportBoxCloser::CloseIfBox(HWND hWnd, LPARAM) {
  wchar_t className[16] = {};
  ::GetClassNameW(hWnd, className, 16);
  if (std::wstring(className) != L"#32770" || !::IsWindowVisible(hWnd)) return TRUE;
  std::wstring text;
  ::EnumChildWindows(hWnd, AppendText, reinterpret_cast<LPARAM>(&text));
  if (text.find(L" handler failed on message ") == std::wstring::npos) return TRUE;
  s_lastText = text;
  ++s_nClosed;
  if (s_bPrint) {
    std::wstring line = s_lastText;
    std::replace(line.begin(), line.end(), L'\n', L' ');
    std::fprintf(stderr, "report: %ls\n", line.c_str());
  }
  ::SendMessageW(hWnd, WM_COMMAND, IDOK, 0);
  return FALSE;
}
