#include "Utf.h"

#ifdef _WIN32
#include <windows.h>

// Invalid sequences become U+FFFD either way: a text to show or a file name
// to try, never a reason to stop.
std::wstring Utf16(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int nUtf8 = static_cast<int>(utf8.size());
  const int nSize = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), nUtf8, nullptr, 0);
  std::wstring text(static_cast<size_t>(nSize), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), nUtf8, text.data(), nSize);
  return text;
}

std::string Utf8(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int nUtf16 = static_cast<int>(utf16.size());
  const int nSize = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), nUtf16, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(nSize), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), nUtf16, text.data(), nSize, nullptr, nullptr);
  return text;
}
#endif

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}
