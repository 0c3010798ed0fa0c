#include "CSystemLibrary.h"

#include <string>

// A full path rather than a search flag: the flag needs an update on Windows 7.
CSystemLibrary::CSystemLibrary(const wchar_t* pszName) {
  wchar_t szFolder[MAX_PATH] = {};
  const UINT nLength = ::GetSystemDirectoryW(szFolder, MAX_PATH);
  if (nLength == 0 || nLength >= MAX_PATH) return;
  m_module.reset(::LoadLibraryW((std::wstring(szFolder) + L'\\' + pszName).c_str()));
}
