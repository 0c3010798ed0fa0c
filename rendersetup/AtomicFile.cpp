#include "AtomicFile.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// Beside the target, so that the final rename stays on one volume; hidden,
// and unique within this process and against other processes.
fs::path TemporaryPath(const fs::path& target, unsigned long processId) {
  static std::atomic<unsigned> counter{0};
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  fs::path name = ".";
  name += target.filename();
  name += "." + std::to_string(processId) + "-" + std::to_string(counter++) + ".tmp";
  return folder / name;
}

bool Fail(std::string* pReason, const fs::path& target, const std::string& why) {
  if (pReason) *pReason = "cannot write " + Utf8(target) + ": " + why;
  return false;
}

#ifdef _WIN32

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

std::string SystemMessage(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", length);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'.')) text.pop_back();
  if (text.empty()) return "system error " + std::to_string(error);
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
  return utf8;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    bytes.remove_prefix(written);
  }
  return FlushFileBuffers(file) != 0;
}

bool WriteTemporary(const fs::path& temp, std::string_view bytes) {
  UniqueHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    return false;
  }
  if (WriteAll(file.get(), bytes)) return true;
  const DWORD error = GetLastError();
  file.reset();
  SetLastError(error);
  return false;
}

bool Replace(const fs::path& temp, const fs::path& target, std::string_view bytes) {
  if (!WriteTemporary(temp, bytes)) return false;
  return MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

#else

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return fsync(fd) == 0;
}

bool WriteTemporary(const fs::path& temp, std::string_view bytes) {
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes);
  const int error = errno;
  if (close(fd) != 0) return false;
  errno = error;
  return written;
}

bool Replace(const fs::path& temp, const fs::path& target, std::string_view bytes) {
  return WriteTemporary(temp, bytes) && rename(temp.c_str(), target.c_str()) == 0;
}

#endif

unsigned long ProcessId() {
#ifdef _WIN32
  return GetCurrentProcessId();
#else
  return static_cast<unsigned long>(getpid());
#endif
}

std::string LastError() {
#ifdef _WIN32
  return SystemMessage(GetLastError());
#else
  return std::strerror(errno);
#endif
}

}  // namespace

bool WriteFileAtomically(const fs::path& target, std::string_view bytes, std::string* pReason) {
  std::error_code error;
  if (fs::is_directory(target, error)) return Fail(pReason, target, "it is a folder, not a file");
  const fs::path temp = TemporaryPath(target, ProcessId());
  if (Replace(temp, target, bytes)) return true;
  const std::string why = LastError();
  fs::remove(temp, error);
  return Fail(pReason, target, why);
}
