#pragma once
// Where text changes encoding. The program's own texts are UTF-8; the platform
// speaks UTF-16 on Windows (window texts, arguments, file names) and keeps file
// names in its own form everywhere.
#include <filesystem>
#include <string>
#include <string_view>

#ifdef _WIN32
std::wstring Utf16(std::string_view utf8);
// Give wide text as a std::wstring_view: a path converts from it as well.
std::string Utf8(std::wstring_view utf16);
#endif

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8(const std::filesystem::path& path);
