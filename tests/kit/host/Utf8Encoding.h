#pragma once
// The window's UTF-16 texts as the UTF-8 the files and golden tables hold.
// The texts stay within the Basic Multilingual Plane, so no surrogate pairs.
#include <string>
#include <string_view>

inline std::string EncodeUtf8(std::wstring_view text) {
  std::string out;
  for (wchar_t c : text) {
    const auto u = static_cast<unsigned>(c);
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}
