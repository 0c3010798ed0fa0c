#include "AtomicFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
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

TEST_F(AtomicFileTest, ImpossibleTargetsFailWithTheFileAndTheReason) {
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
    EXPECT_EQ(reason.rfind("cannot write " + c.target.string() + ": ", 0), 0u) << reason;
    EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
  }
  EXPECT_EQ(Entries(), 1u);
}

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
  EXPECT_NE(reason.find(target.string()), std::string::npos) << reason;
  EXPECT_EQ(Read(target), "old\n");
  EXPECT_EQ(Entries(), 1u);
}

}  // namespace
