#include "ProfileSettings.h"

#include <cstdlib>
#include <cwchar>
#include <initializer_list>
#include <iterator>
#include <vector>

namespace {

constexpr DWORD kValueChars = 8192;
// The first buffer holds every ordinary path. A longer one comes back cut short,
// filling the whole buffer (unterminated under Wine), and is asked for again
// with room for the longest path the platform has.
constexpr DWORD kPathChars = 520;
constexpr DWORD kLongestPathChars = 32768;

std::wstring FormatInt(int value) {
  wchar_t text[16];
  int length = std::swprintf(text, std::size(text), L"%d", value);
  return std::wstring(text, length < 0 ? 0 : static_cast<size_t>(length));
}

// The profile calls expand a name into a buffer of MAX_PATH characters. Wine
// does not check that it fitted: with a name a few characters too long it may
// read and write a file named after whatever the buffer held, in the current
// folder, and report success. Such names are never handed over.
bool FitsProfileCalls(const wchar_t* path) {
  DWORD needed = GetFullPathNameW(path, 0, nullptr, nullptr);
  return needed != 0 && needed <= MAX_PATH;
}

std::wstring ExecutablePath() {
  for (DWORD size : {kPathChars, kLongestPathChars}) {
    std::wstring path(size, L'\0');
    DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
    if (length < size) {
      path.resize(length);
      return path;
    }
  }
  return std::wstring();
}

// "%ls" rather than "%s": this runtime's wide printf takes "%s" as a narrow string.
// The folder keeps its own trailing backslash, so the joined name has a doubled
// one, as the program has always written it; the file calls accept it.
std::wstring JoinPath(const std::wstring& folder, const wchar_t* name) {
  std::vector<wchar_t> path(folder.size() + std::wcslen(name) + 2);
  int length = std::swprintf(path.data(), path.size(), L"%ls\\%ls", folder.c_str(), name);
  return std::wstring(path.data(), length < 0 ? 0 : static_cast<size_t>(length));
}

// Empty when the folder has no short name.
std::wstring ShortPath(const std::wstring& path) {
  DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return std::wstring();
  std::vector<wchar_t> shortPath(size);
  DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
  if (length == 0 || length >= size) return std::wstring();
  return std::wstring(shortPath.data(), length);
}

}  // namespace

int ReadProfileInt(const wchar_t* path, const wchar_t* section, const wchar_t* key, int defaultValue) {
  if (!FitsProfileCalls(path)) return defaultValue;
  std::wstring defaultText = FormatInt(defaultValue);
  std::vector<wchar_t> value(kValueChars);
  GetPrivateProfileStringW(section, key, defaultText.c_str(), value.data(), kValueChars, path);
  return _wtoi(value.data());
}

BOOL WriteProfileInt(const wchar_t* path, const wchar_t* section, const wchar_t* key, int value) {
  if (!FitsProfileCalls(path)) return FALSE;
  return WritePrivateProfileStringW(section, key, FormatInt(value).c_str(), path);
}

std::wstring BuildIniPath() {
  std::wstring executable = ExecutablePath();
  return executable.empty() ? std::wstring() : IniPathBeside(executable);
}

std::wstring IniPathBeside(const std::wstring& executablePath) {
  size_t cut = executablePath.rfind(L'\\');
  std::wstring folder = cut == std::wstring::npos ? std::wstring() : executablePath.substr(0, cut + 1);
  std::wstring path = JoinPath(folder, kIniFileName);
  if (FitsProfileCalls(path.c_str())) return path;
  std::wstring shortFolder = ShortPath(folder);
  return shortFolder.empty() ? path : JoinPath(shortFolder, kIniFileName);
}
