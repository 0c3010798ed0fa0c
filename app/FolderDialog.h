#pragma once
#include <windows.h>

#include <filesystem>
#include <optional>

// The platform's folder picker, titled pszTitle, owned by hOwner. Nothing when
// the user cancelled (*pError is then S_OK) or when the picker could not be
// shown (*pError says why). Only folders of the file system can be chosen.
std::optional<std::filesystem::path> AskFolder(HWND hOwner, const wchar_t* pszTitle, HRESULT* pError);
