#include "AfxTrace.h"

#include <cstdarg>
#include <cwchar>

void AfxTrace(LPCWSTR lpszFormat, ...) {
  constexpr int kRoom = 1022;  // and the line's end, and the terminator
  wchar_t line[kRoom + 2];
  va_list args;
  va_start(args, lpszFormat);
  // A line too long for the room is cut, not lost.
  if (std::vswprintf(line, kRoom, lpszFormat, args) < 0) line[kRoom - 1] = L'\0';
  va_end(args);
  std::wcscat(line, L"\n");
  ::OutputDebugStringW(line);
}
