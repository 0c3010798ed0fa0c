#include "FolderDialog.h"

#include <shobjidl.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

struct TaskMemDeleter {
  void operator()(wchar_t* p) const { ::CoTaskMemFree(p); }
};

// Through COM, which the program has joined already: the dialog's library is
// loaded when the user first asks for a folder, not at start.
HRESULT ShowPicker(HWND hOwner, const wchar_t* pszTitle, std::filesystem::path* pFolder) {
  ComPtr<IFileOpenDialog> dialog;
  HRESULT hr = ::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog));
  FILEOPENDIALOGOPTIONS options = 0;
  if (SUCCEEDED(hr)) hr = dialog->GetOptions(&options);
  if (SUCCEEDED(hr))
    hr = dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR);
  if (SUCCEEDED(hr)) hr = dialog->SetTitle(pszTitle);
  if (SUCCEEDED(hr)) hr = dialog->Show(hOwner);
  ComPtr<IShellItem> item;
  if (SUCCEEDED(hr)) hr = dialog->GetResult(&item);
  wchar_t* pszPath = nullptr;
  if (SUCCEEDED(hr)) hr = item->GetDisplayName(SIGDN_FILESYSPATH, &pszPath);
  const std::unique_ptr<wchar_t, TaskMemDeleter> path(pszPath);
  if (SUCCEEDED(hr)) *pFolder = path.get();
  return hr;
}

}  // namespace

std::optional<std::filesystem::path> AskFolder(HWND hOwner, const wchar_t* pszTitle, HRESULT* pError) {
  std::filesystem::path folder;
  const HRESULT hr = ShowPicker(hOwner, pszTitle, &folder);
  *pError = hr == HRESULT_FROM_WIN32(ERROR_CANCELLED) ? S_OK : hr;
  if (FAILED(hr)) return std::nullopt;
  return folder;
}
