#include "AtomicFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <vector>

// The flush before the rename, seen from the system's side: this program's own
// fsync and rename stand in front of the C library's (the linker binds an
// executable's calls to its own definitions), note the file each acts on and
// pass the call on. The writer's real code runs; a missing or late flush shows.
static std::vector<std::pair<std::string, ino_t>> g_calls;
static bool g_bWatching = false;

extern "C" int fsync(int fd) {
  struct stat st {};
  if (g_bWatching && fstat(fd, &st) == 0) g_calls.emplace_back("fsync", st.st_ino);
  return reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"))(fd);
}

extern "C" int rename(const char* from, const char* to) {
  struct stat st {};
  if (g_bWatching && stat(from, &st) == 0) g_calls.emplace_back("rename", st.st_ino);
  return reinterpret_cast<int (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "rename"))(from, to);
}
#endif

namespace fs = std::filesystem;

namespace {

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("vantorel-atomic-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // No temporary file may be left behind, whatever happened.
  size_t Entries() const { return size_t(std::distance(fs::directory_iterator(folder_), fs::directory_iterator())); }

  fs::path folder_;
};

TEST_F(AtomicFileTest, WritesAndReplacesWholeFilesLeavingNothingElse) {
  const fs::path target = folder_ / "setup.json";
  std::string reason;
  ASSERT_TRUE(WriteFileAtomically(target, "first\n", &reason)) << reason;
  ASSERT_TRUE(WriteFileAtomically(target, std::string(1 << 20, 'x') + "\n", &reason)) << reason;
  EXPECT_EQ(Read(target), std::string(1 << 20, 'x') + "\n");
  ASSERT_TRUE(WriteFileAtomically(target, "", &reason)) << reason;
  EXPECT_EQ(Read(target), "");
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(AtomicFileTest, ImpossibleTargetsFailWithTheReason) {
  fs::create_directories(folder_ / "a folder");
  const struct {
    fs::path target;
    const char* reason;
  } cases[] = {
      {folder_ / "a folder", "it is a folder, not a file"},
#ifdef _WIN32
      {folder_ / "missing" / "setup.json", "not found"},
#else
      {folder_ / "missing" / "setup.json", "No such file or directory"},
#endif
  };
  for (const auto& c : cases) {
    std::string reason;
    EXPECT_FALSE(WriteFileAtomically(c.target, "bytes", &reason));
    EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
  }
  EXPECT_EQ(Entries(), 1u);
}

#ifndef _WIN32
TEST_F(AtomicFileTest, TheBytesReachTheDiskBeforeTheFileTakesTheName) {
  const fs::path target = folder_ / "setup.json";
  g_bWatching = true;
  ASSERT_TRUE(WriteFileAtomically(target, "bytes\n", nullptr));
  g_bWatching = false;
  struct stat st {};
  ASSERT_EQ(stat(target.c_str(), &st), 0);
  EXPECT_EQ(g_calls, (decltype(g_calls){{"fsync", st.st_ino}, {"rename", st.st_ino}}));
}
#endif

#ifdef _WIN32
// A replaced file keeps the attributes its user gave it; a new one is not left
// hidden as its temporary was.
TEST_F(AtomicFileTest, AReplacedFileKeepsItsAttributes) {
  const fs::path kept = folder_ / "kept.json", fresh = folder_ / "fresh.json";
  const DWORD nGiven = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  ASSERT_TRUE(WriteFileAtomically(kept, "old\n", nullptr) && SetFileAttributesW(kept.c_str(), nGiven));
  ASSERT_TRUE(WriteFileAtomically(kept, "new\n", nullptr) && WriteFileAtomically(fresh, "new\n", nullptr));
  EXPECT_EQ(Read(kept), "new\n");
  EXPECT_EQ(GetFileAttributesW(kept.c_str()), nGiven);
  EXPECT_EQ(GetFileAttributesW(fresh.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}
#endif

// The disk fills up (a file size limit here) or, on Windows, another program
// holds the target open: the old file stays as it was.
TEST_F(AtomicFileTest, AnExistingFileSurvivesAFailedWrite) {
  const fs::path target = folder_ / "setup.json";
  std::string reason;
  ASSERT_TRUE(WriteFileAtomically(target, "old\n", &reason)) << reason;
#ifdef _WIN32
  const HANDLE open = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(open, INVALID_HANDLE_VALUE);
  const bool written = WriteFileAtomically(target, "new\n", &reason);
  CloseHandle(open);
  EXPECT_FALSE(written);
#else
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = WriteFileAtomically(target, std::string(100000, 'n'), &reason);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  EXPECT_FALSE(written);
  EXPECT_NE(reason.find("File too large"), std::string::npos) << reason;
#endif
  EXPECT_EQ(Read(target), "old\n");
  EXPECT_EQ(Entries(), 1u);
}

}  // namespace
