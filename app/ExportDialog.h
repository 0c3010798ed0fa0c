#pragma once
#include <windows.h>

#include <optional>
#include <span>
#include <string>

#include "SetupFormats.h"

// One entry of the Save As dialog's file types: a format and a framing.
struct ExportChoice {
  SetupFormat eFormat;
  Framing eFraming;
  const wchar_t* pszExtension;  // without the dot
  const wchar_t* pszFormat;     // what the file is, in words
};

struct ExportTarget {
  std::wstring strPath;
  ExportChoice choice;
};

// In the order the dialog lists them; the first is the default.
std::span<const ExportChoice> ExportChoices();

// The platform's Save As dialog, asking before it overwrites. Nothing when
// the user cancelled, or when the dialog failed (ExportDialogError says).
// A typed name with one of the formats' extensions gets that format, in the
// framing of the chosen file type.
std::optional<ExportTarget> AskExportTarget(HWND hOwner, const std::wstring& strSuggestedName);

// Why the last AskExportTarget gave nothing, as the common dialogs number it:
// 0 when the user cancelled.
DWORD ExportDialogError();
