#include "AtomicFile.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <system_error>
#include <utility>

#include "Utf.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// As many links in a row as Linux follows before it gives up.
constexpr int kMaxLinks = 40;

// Beside the target, so that the final rename stays on one volume; hidden by
// its leading dot where the platform goes by names (Windows sets an attribute
// too); unique within this process and against other processes.
fs::path TemporaryPath(const fs::path& target, unsigned long processId) {
  static std::atomic<unsigned> counter{0};
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  fs::path name = ".";
  name += target.filename();
  name += "." + std::to_string(processId) + "-" + std::to_string(counter++) + ".tmp";
  return folder / name;
}

#ifdef _WIN32

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

UniqueHandle OpenHandle(HANDLE handle) { return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle); }

std::string SystemMessage(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", length);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'.')) text.pop_back();
  if (text.empty()) return "system error " + std::to_string(error);
  return Utf8(std::wstring_view(text));
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Hidden while it is being written; then the old file's attributes (read-only
// aside: such a file is not replaced anyway), or a new file's, before it takes
// the name.
bool WriteTemporary(const fs::path& temp, std::string_view bytes, DWORD nAttributes) {
  UniqueHandle file = OpenHandle(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr));
  if (!file) return false;
  FILE_BASIC_INFO info{};
  info.FileAttributes = nAttributes & ~FILE_ATTRIBUTE_READONLY;
  if (WriteAll(file.get(), bytes) && FlushFileBuffers(file.get()) &&
      SetFileInformationByHandle(file.get(), FileBasicInfo, &info, sizeof info))
    return true;
  const DWORD error = GetLastError();
  file.reset();
  SetLastError(error);
  return false;
}

// Whether another program holds the old file open without letting it go.
// Asked first: Wine's ReplaceFileW, finding that out itself, leaves a stray
// file of its own in the folder.
bool CanReplace(const fs::path& target) {
  const DWORD nShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  return OpenHandle(CreateFileW(target.c_str(), DELETE, nShare, nullptr, OPEN_EXISTING, 0, nullptr)) != nullptr;
}

// ReplaceFileW keeps the old file's access list and identity; with no old
// file there is nothing to keep.
bool Replace(const fs::path& temp, const fs::path& target, std::string_view bytes) {
  const DWORD nOldAttributes = GetFileAttributesW(target.c_str());
  const bool bOldFile = nOldAttributes != INVALID_FILE_ATTRIBUTES;
  if (bOldFile && !CanReplace(target)) return false;
  if (!WriteTemporary(temp, bytes, bOldFile ? nOldAttributes : FILE_ATTRIBUTE_ARCHIVE)) return false;
  if (!bOldFile) return MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  return ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
}

bool WriteStraight(const fs::path& target, std::string_view bytes) {
  UniqueHandle file = OpenHandle(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
  return file && WriteAll(file.get(), bytes);
}

unsigned long ProcessId() { return GetCurrentProcessId(); }
std::string LastError() { return SystemMessage(GetLastError()); }

#else

// Closes on destruction; Close() reports what closing said, which on a
// network file system may be the first word of a failed write.
class UniqueFd {
 public:
  explicit UniqueFd(int fd) : m_fd(fd) {}
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() {
    if (m_fd >= 0) close(m_fd);
  }
  explicit operator bool() const { return m_fd >= 0; }
  int get() const { return m_fd; }
  bool Close() { return close(std::exchange(m_fd, -1)) == 0; }

 private:
  int m_fd;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// The owner first: giving a file away clears its set-id bits. Only root may
// give a file to another user; anyone else's save makes the file their own,
// as every editor's does, and keeps its group where they belong to it.
bool TakeOwnerAndMode(int fd, const struct stat& old) {
  if (fchown(fd, old.st_uid, old.st_gid) != 0) {
    if (errno != EPERM) return false;
    if (fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0 && errno != EPERM) return false;
  }
  return fchmod(fd, old.st_mode & 07777) == 0;
}

bool Replace(const fs::path& temp, const fs::path& target, std::string_view bytes) {
  struct stat old {};
  const bool bOldFile = stat(target.c_str(), &old) == 0;
  UniqueFd file(open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!file) return false;
  if (bOldFile && !TakeOwnerAndMode(file.get(), old)) return false;
  if (!WriteAll(file.get(), bytes) || fsync(file.get()) != 0 || !file.Close()) return false;
  return rename(temp.c_str(), target.c_str()) == 0;
}

bool WriteStraight(const fs::path& target, std::string_view bytes) {
  UniqueFd file(open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
  return file && WriteAll(file.get(), bytes) && file.Close();
}

unsigned long ProcessId() { return static_cast<unsigned long>(getpid()); }
std::string LastError() { return std::strerror(errno); }

#endif

// The file at the end of a chain of symbolic links: replacing it keeps the
// links. Relative links lead from the folder they sit in.
bool FollowLinks(fs::path& path, std::error_code& error) {
  for (int nLinks = 0; fs::is_symlink(fs::symlink_status(path, error)); ++nLinks) {
    if (nLinks == kMaxLinks) {
      error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
      return false;
    }
    const fs::path next = fs::read_symlink(path, error);
    if (error) return false;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return true;
}

bool Fail(std::string* pReason, const std::string& why) {
  if (pReason) *pReason = why;
  return false;
}

}  // namespace

// What sits at the path decides, seen through its links: a link to a pipe,
// such as a shell's /dev/fd/63, leads to no name a file could replace.
bool WriteFileAtomically(const fs::path& target, std::string_view bytes, std::string* pReason) {
  std::error_code error;
  const fs::file_type type = fs::status(target, error).type();
  if (type == fs::file_type::directory) return Fail(pReason, "it is a folder, not a file");
  if (type != fs::file_type::regular && type != fs::file_type::not_found) {
    return WriteStraight(target, bytes) || Fail(pReason, LastError());
  }
  fs::path file = target;
  if (!FollowLinks(file, error)) return Fail(pReason, error.message());
  const fs::path temp = TemporaryPath(file, ProcessId());
  if (Replace(temp, file, bytes)) return true;
  const std::string why = LastError();
  fs::remove(temp, error);
  return Fail(pReason, why);
}
