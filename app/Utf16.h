#pragma once
#include <string>
#include <string_view>

// The window speaks UTF-16; the render setup's texts are UTF-8.
std::wstring Utf16(std::string_view utf8);
