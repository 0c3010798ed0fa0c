// The settings file on real files in a fresh temporary folder, through the
// platform's own profile calls.
#include "ProfileSettings.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

std::wstring WindowsPath(std::wstring path) {
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

// std::filesystem goes through runtime calls that stop at MAX_PATH; the
// platform's own calls reach the deep folders some tests make.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
      else DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

class ProfileSettings : public testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() /
              (L"vantorel-settings-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               fs::path(test->name()).wstring());
    RemoveTree(folder_.wstring());
    fs::create_directories(folder_);
    ini_ = (folder_ / kIniFileName).wstring();
  }
  void TearDown() override { RemoveTree(folder_.wstring()); }

  int ReadWidth() const { return ReadProfileInt(ini_.c_str(), kSettingsSection, kWidthKey, kDefaultWidthMm); }
  int ReadHeight() const { return ReadProfileInt(ini_.c_str(), kSettingsSection, kHeightKey, kDefaultHeightMm); }

  fs::path folder_;
  std::wstring ini_;
};

TEST_F(ProfileSettings, FirstRunReadsTheDefaultsAndCreatesNoFile) {
  EXPECT_EQ(ReadWidth(), 30);
  EXPECT_EQ(ReadHeight(), 20);
  EXPECT_FALSE(fs::exists(ini_));
}

TEST_F(ProfileSettings, ValuesReadAsTheRuntimeConvertsThem) {
  const struct {
    const char* text;
    int value;
  } cases[] = {{"45abc", 45}, {"0", 0}, {"-7", -7}, {"abc", 0}, {"", 0}, {"2147483647", INT_MAX}};
  for (const auto& c : cases) {
    WriteBytes(ini_, std::string("[settings]\r\nHologram Width, mm=") + c.text + "\r\nHologram Height, mm=57\r\n");
    EXPECT_EQ(ReadWidth(), c.value) << '"' << c.text << '"';
    EXPECT_EQ(ReadHeight(), 57) << '"' << c.text << '"';
  }
}

TEST_F(ProfileSettings, EachMissingPieceFallsBackToItsOwnDefault) {
  WriteBytes(ini_, "[settings]\r\nHologram Height, mm=75\r\n");
  EXPECT_EQ(ReadWidth(), 30);
  EXPECT_EQ(ReadHeight(), 75);

  WriteBytes(ini_, "[other]\r\nHologram Width, mm=45\r\n");
  EXPECT_EQ(ReadWidth(), 30);

  // The key is the whole text, comma and blank included.
  WriteBytes(ini_, "[settings]\r\nHologram Width=45\r\nHologram Width mm=46\r\n");
  EXPECT_EQ(ReadWidth(), 30);
}

TEST_F(ProfileSettings, WritingANewFileGivesTheThreeLines) {
  EXPECT_TRUE(WriteProfileInt(ini_.c_str(), kSettingsSection, kWidthKey, kDefaultWidthMm));
  EXPECT_TRUE(WriteProfileInt(ini_.c_str(), kSettingsSection, kHeightKey, kDefaultHeightMm));
  EXPECT_EQ(ReadBytes(ini_), "[settings]\r\nHologram Width, mm=30\r\nHologram Height, mm=20\r\n");
}

TEST_F(ProfileSettings, WrittenValuesReadBack) {
  for (int value : {1, -7, 0, INT_MIN, INT_MAX}) {
    WriteProfileInt(ini_.c_str(), kSettingsSection, kWidthKey, value);
    WriteProfileInt(ini_.c_str(), kSettingsSection, kHeightKey, value / 2);
    EXPECT_EQ(ReadWidth(), value);
    EXPECT_EQ(ReadHeight(), value / 2);
  }
}

TEST_F(ProfileSettings, AFailedWriteIsOnlyReported) {
  std::wstring unreachable = (folder_ / L"missing" / kIniFileName).wstring();
  EXPECT_FALSE(WriteProfileInt(unreachable.c_str(), kSettingsSection, kWidthKey, 45));
  EXPECT_EQ(ReadProfileInt(unreachable.c_str(), kSettingsSection, kWidthKey, 30), 30);
}

TEST_F(ProfileSettings, PathIsBesideTheExecutable) {
  std::wstring expected = WindowsPath(L"Z:" SETTINGS_TESTS_DIR L"/") + L"\\calculator.ini";
  EXPECT_EQ(BuildIniPath(), expected);
}

// Wine expands a profile name into a MAX_PATH buffer that it neither checks nor
// initialises: given a longer name it opens whatever that stack memory holds.
// Left holding short names, the memory would make an unguarded call read and
// write a file in the current folder, so a guard that fails shows as a stray file.
__attribute__((noinline)) void LeaveShortNamesOnTheStack() {
  volatile wchar_t names[16384];
  for (size_t i = 0; i < std::size(names); ++i) names[i] = i % 64 == 63 ? L'\0' : L'n';
}

TEST_F(ProfileSettings, NamesTooLongForTheProfileCallsAreNotHandedOver) {
  std::vector<std::wstring> paths;
  for (size_t excess = 1; excess <= 8; ++excess) {
    fs::path deep = folder_ / std::wstring(MAX_PATH - folder_.wstring().size() - 17 + excess, L'x');
    fs::create_directories(deep);
    paths.push_back(WindowsPath(deep.wstring()) + L"\\\\" + kIniFileName);
    ASSERT_EQ(paths.back().size(), MAX_PATH + excess);
  }

  fs::path here = fs::current_path();
  fs::current_path(folder_);
  for (const std::wstring& path : paths) {
    LeaveShortNamesOnTheStack();
    EXPECT_FALSE(WriteProfileInt(path.c_str(), kSettingsSection, kWidthKey, 45)) << path.size();
    LeaveShortNamesOnTheStack();
    EXPECT_EQ(ReadProfileInt(path.c_str(), kSettingsSection, kWidthKey, 30), 30) << path.size();
  }
  fs::current_path(here);

  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder_)) {
    EXPECT_TRUE(entry.is_directory()) << "stray file of " << entry.path().filename().wstring().size() << " characters";
  }
}

TEST_F(ProfileSettings, DeepFolderIsReachedByItsShortName) {
  fs::path deep = folder_;
  for (int level = 0; level < 6; ++level) deep /= L"level" + std::to_wstring(level) + std::wstring(90, L'x');
  fs::create_directories(deep);
  std::wstring executable = WindowsPath(deep.wstring()) + L"\\calculator.exe";
  ASSERT_GT(executable.size(), 520u);

  std::wstring path = IniPathBeside(executable);
  EXPECT_LE(path.size(), static_cast<size_t>(MAX_PATH));
  EXPECT_TRUE(WriteProfileInt(path.c_str(), kSettingsSection, kWidthKey, 45));
  EXPECT_EQ(ReadBytes(deep / kIniFileName), "[settings]\r\nHologram Width, mm=45\r\n");
  EXPECT_EQ(ReadProfileInt(path.c_str(), kSettingsSection, kWidthKey, 30), 45);
}

}  // namespace
