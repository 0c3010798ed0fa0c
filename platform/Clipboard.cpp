#include "Clipboard.h"

#include <cstring>
#include <memory>

namespace {

constexpr int kOpenAttempts = 10;
constexpr DWORD kRetryMs = 20;

struct GlobalDeleter {
  void operator()(void* hMemory) const { ::GlobalFree(hMemory); }
};
using GlobalMemory = std::unique_ptr<void, GlobalDeleter>;

// The clipboard is held only while the object lives.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND hOwner) {
    for (int i = 0; i < kOpenAttempts && !m_bOpen; ++i) {
      if (i > 0) ::Sleep(kRetryMs);
      m_bOpen = ::OpenClipboard(hOwner) != FALSE;
    }
  }
  ~OpenedClipboard() {
    if (m_bOpen) ::CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return m_bOpen; }

 private:
  bool m_bOpen = false;
};

GlobalMemory CopyToGlobal(const std::wstring& text) {
  const SIZE_T nBytes = (text.size() + 1) * sizeof(wchar_t);
  GlobalMemory hMemory(::GlobalAlloc(GMEM_MOVEABLE, nBytes));
  if (!hMemory) return hMemory;
  void* pData = ::GlobalLock(hMemory.get());
  if (pData == nullptr) return nullptr;
  std::memcpy(pData, text.c_str(), nBytes);
  ::GlobalUnlock(hMemory.get());
  return hMemory;
}

}  // namespace

bool PutTextOnClipboard(HWND hOwner, const std::wstring& text) {
  GlobalMemory hMemory = CopyToGlobal(text);
  if (!hMemory) return false;
  OpenedClipboard clipboard(hOwner);
  if (!clipboard.IsOpen() || !::EmptyClipboard()) return false;
  if (::SetClipboardData(CF_UNICODETEXT, hMemory.get()) == nullptr) return false;
  // The clipboard owns the memory now.
  hMemory.release();
  return true;
}
