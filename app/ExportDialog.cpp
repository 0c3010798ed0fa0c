#include "ExportDialog.h"

#include <commdlg.h>
#include <cderr.h>
#include <dlgs.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>

#include "CSystemLibrary.h"

namespace {

// Loaded when the user first exports, not at start.
const CSystemLibrary& CommonDialogs() {
  static const CSystemLibrary library(L"comdlg32.dll");
  return library;
}

constexpr ExportChoice kChoices[] = {
    {SetupFormat::Blender, Framing::Wide, L"py", L"Blender script"},
    {SetupFormat::Blender, Framing::Recentred, L"py", L"Blender script"},
    {SetupFormat::Csv, Framing::Wide, L"csv", L"camera path"},
    {SetupFormat::Csv, Framing::Recentred, L"csv", L"camera path"},
    {SetupFormat::Json, Framing::Wide, L"json", L"whole setup"},
    {SetupFormat::Json, Framing::Recentred, L"json", L"whole setup"},
};

// Each file type's description and pattern, each ended by a null, the whole
// list by one more. The framing comes first and the words stay few: the box
// shows a type whole only at its own width, and the user tells the types
// apart by their beginnings.
std::wstring Filter() {
  std::wstring filter;
  for (const ExportChoice& choice : kChoices) {
    filter += std::wstring(choice.eFraming == Framing::Wide ? L"Wide: " : L"Recentred: ") + choice.pszFormat + L" (*." +
              choice.pszExtension + L")" + L'\0' + L"*." + choice.pszExtension + L'\0';
  }
  return filter + L'\0';
}

std::wstring LowerExtension(const std::wstring& strPath) {
  std::wstring extension = std::filesystem::path(strPath).extension().wstring();
  if (!extension.empty()) extension.erase(0, 1);
  for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
  return extension;
}

ExportChoice ChoiceFor(DWORD nFilterIndex, const std::wstring& strPath) {
  const ExportChoice chosen = kChoices[std::clamp<DWORD>(nFilterIndex, 1, std::size(kChoices)) - 1];
  const std::wstring extension = LowerExtension(strPath);
  for (const ExportChoice& choice : kChoices)
    if (choice.eFraming == chosen.eFraming && extension == choice.pszExtension) return choice;
  return chosen;
}

// The file name box: a combo box in the newer layout, an edit in the older.
HWND NameBox(HWND hSaveAs) {
  HWND hCombo = ::GetDlgItem(hSaveAs, cmb13);
  return hCombo != nullptr && ::IsWindowVisible(hCombo) ? hCombo : ::GetDlgItem(hSaveAs, edt1);
}

std::wstring FramingSuffix(Framing framing) {
  const std::string name = FramingName(framing);
  return L"-" + std::wstring(name.begin(), name.end());
}

// A name that ends in a framing, as the suggested one does, says the chosen one.
std::wstring FollowFraming(std::wstring stem, Framing framing) {
  for (Framing other : {Framing::Wide, Framing::Recentred}) {
    const std::wstring suffix = FramingSuffix(other);
    if (stem.size() >= suffix.size() && stem.compare(stem.size() - suffix.size(), suffix.size(), suffix) == 0)
      return stem.substr(0, stem.size() - suffix.size()) + FramingSuffix(framing);
  }
  return stem;
}

// Choosing another file type gives the name in the box that type's extension
// and framing, as long as it has one of the formats' extensions: the file type
// a user picks is the file they get, and its name says so.
void FollowFileType(HWND hSaveAs, DWORD nFilterIndex) {
  wchar_t szName[MAX_PATH * 4] = {};
  ::GetWindowTextW(NameBox(hSaveAs), szName, static_cast<int>(std::size(szName)));
  std::filesystem::path name(szName);
  const std::wstring extension = LowerExtension(szName);
  if (std::none_of(std::begin(kChoices), std::end(kChoices),
                   [&](const ExportChoice& choice) { return extension == choice.pszExtension; }))
    return;
  const ExportChoice chosen = ChoiceFor(nFilterIndex, L"");
  name.replace_filename(FollowFraming(name.stem().wstring(), chosen.eFraming) + L"." + chosen.pszExtension);
  ::SetWindowTextW(NameBox(hSaveAs), name.wstring().c_str());
}

UINT_PTR CALLBACK SaveAsHook(HWND hChild, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return 0;
  const auto* pNotify = reinterpret_cast<const OFNOTIFYW*>(lParam);
  if (pNotify->hdr.code != CDN_TYPECHANGE) return 0;
  try {
    FollowFileType(::GetParent(hChild), pNotify->lpOFN->nFilterIndex);
  } catch (...) {
    // The name stays as typed; the extension still decides the format.
  }
  return 0;
}

}  // namespace

std::span<const ExportChoice> ExportChoices() { return kChoices; }

std::optional<ExportTarget> AskExportTarget(HWND hOwner, const std::wstring& strSuggestedName) {
  const std::wstring filter = Filter();
  wchar_t szPath[MAX_PATH * 4] = {};
  strSuggestedName.copy(szPath, std::size(szPath) - 1);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hOwner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = szPath;
  ofn.nMaxFile = static_cast<DWORD>(std::size(szPath));
  ofn.lpstrTitle = L"Export Render Setup";
  // Takes the chosen file type's extension when the name has none.
  ofn.lpstrDefExt = kChoices[0].pszExtension;
  ofn.lpfnHook = SaveAsHook;
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
              OFN_NOCHANGEDIR | OFN_ENABLESIZING;
  static const auto getSaveFileName = AFX_SYSTEM_FUNCTION(CommonDialogs(), GetSaveFileNameW);
  if (getSaveFileName == nullptr || !getSaveFileName(&ofn)) return std::nullopt;
  return ExportTarget{szPath, ChoiceFor(ofn.nFilterIndex, szPath)};
}

DWORD ExportDialogError() {
  static const auto extendedError = AFX_SYSTEM_FUNCTION(CommonDialogs(), CommDlgExtendedError);
  return extendedError != nullptr ? extendedError() : CDERR_INITIALIZATION;
}
