#pragma once
// The calculator's two inputs, kept between runs in "calculator.ini" beside the
// executable through the platform's private-profile calls. Nothing here reports
// a failure: a value that cannot be read is its default, and a failed write
// shows only in the returned flag, which the calculator ignores.

#include <windows.h>

#include <string>

inline constexpr wchar_t kIniFileName[] = L"calculator.ini";
inline constexpr wchar_t kSettingsSection[] = L"settings";
inline constexpr wchar_t kWidthKey[] = L"Hologram Width, mm";
inline constexpr wchar_t kHeightKey[] = L"Hologram Height, mm";
inline constexpr int kDefaultWidthMm = 30;
inline constexpr int kDefaultHeightMm = 20;

// The key's text as _wtoi reads it ("45abc" is 45, "abc" is 0); the default when
// the file, the section or the key is missing.
int ReadProfileInt(const wchar_t* path, const wchar_t* section, const wchar_t* key, int defaultValue);

// Writes the value in decimal; the platform creates a missing file or section.
BOOL WriteProfileInt(const wchar_t* path, const wchar_t* section, const wchar_t* key, int value);

// "calculator.ini" beside the running executable; empty when the platform
// cannot tell where that is.
std::wstring BuildIniPath();

// "calculator.ini" in the folder of executablePath, named so that the profile
// calls can open it: a folder too deep for them is given by its short name.
std::wstring IniPathBeside(const std::wstring& executablePath);
