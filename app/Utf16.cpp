#include "Utf16.h"

#include <windows.h>

std::wstring Utf16(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int nUtf8 = static_cast<int>(utf8.size());
  const int nSize = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), nUtf8, nullptr, 0);
  std::wstring text(static_cast<size_t>(nSize), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), nUtf8, text.data(), nSize);
  return text;
}
