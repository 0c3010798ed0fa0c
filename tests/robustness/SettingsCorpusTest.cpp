// The calculator window started, in-process and from its own template, on
// each file of a generated corpus of settings files, and closed again. Whatever
// the file holds, the window must start and show what the platform's reading of
// the file means under the input rule, and the save at the end must either
// round-trip what was shown or, where the file cannot be written, leave it as
// it was.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "CVantorelDlg.h"
#include "MessagePump.h"
#include "ProfileSettings.h"
#include "SettingsCorpus.h"

namespace {

// The generator cycles the file states every 25 files and the layouts every
// 11, so 275 files put every layout in every state once. Each file costs a
// window's start and close, about a tenth of a second under Wine.
constexpr size_t kDefaultCorpusSize = 275;
constexpr uint32_t kDefaultSeed = 1776;
constexpr size_t kMaxReportedFailures = 10;

uint32_t FromEnvironment(const char* name, uint32_t defaultValue) {
  const char* value = std::getenv(name);
  return value != nullptr ? static_cast<uint32_t>(std::strtoul(value, nullptr, 10)) : defaultValue;
}
// VANTOREL_CORPUS_SEED replays another corpus; VANTOREL_CORPUS_FILES makes a
// longer run by hand.
uint32_t CorpusSeed() { return FromEnvironment("VANTOREL_CORPUS_SEED", kDefaultSeed); }
size_t CorpusSize() { return FromEnvironment("VANTOREL_CORPUS_FILES", kDefaultCorpusSize); }

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// The platform keeps the last file it read in memory and trusts it while the
// time stamp stays the same; files written within one tick would be missed.
void ForgetCachedProfile(const std::wstring& path) { ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str()); }

// What the program is handed for a key: the platform's text for it, or the
// default, read as the runtime's _wtoi reads it.
int PlatformValue(const std::wstring& path, const wchar_t* key, int defaultValue) {
  ForgetCachedProfile(path);
  std::vector<wchar_t> text(8192);
  ::GetPrivateProfileStringW(kSettingsSection, key, std::to_wstring(defaultValue).c_str(), text.data(),
                             static_cast<DWORD>(text.size()), path.c_str());
  return _wtoi(text.data());
}

// The number goes into the input field as "%d" text. A negative number's
// leading '-' is no digit, so the number filter cuts the text from there to
// its end, leaving it empty; empty and 0 become 1.
int ShownValue(int value) { return value > 0 ? value : 1; }

std::wstring PixelsText(int64_t pixels) {
  return pixels > INT32_MAX ? L"too large" : std::to_wstring(pixels) + L" px";
}

// Removes whatever an earlier case left at the path.
void ClearPath(const std::wstring& path) {
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(path.c_str());
  ::RemoveDirectoryW(path.c_str());
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == bytes.size();
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  ::CloseHandle(file);
  return bytes;
}

bool IsEmptyFolder(const std::wstring& path) {
  if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES ||
      !(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
  bool empty = true;
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") empty = false;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
  }
  return empty;
}

// Whether this user is kept from writing a read-only file: under Wine the
// attribute is the file's write permission, which root is not held to.
bool WriteIsRefused(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
  if (file == INVALID_HANDLE_VALUE) return true;
  ::CloseHandle(file);
  return false;
}

std::wstring Text(HWND dialog, int id) {
  wchar_t buffer[256] = {};
  ::GetDlgItemTextW(dialog, id, buffer, 256);
  return buffer;
}

bool Visible(HWND dialog, int id) { return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE; }

// The field of view, 2 atan((T + W) / 2D) for the fixed track and distance,
// shown with three decimals and the degree sign.
void ExpectFieldOfView(const std::wstring& text, int width) {
  const double expected = 2.0 * std::atan((200.0 + width) / 600.0) * 180.0 / 3.141592653589793;
  wchar_t* end = nullptr;
  const double shown = std::wcstod(text.c_str(), &end);
  EXPECT_STREQ(end, L" \u00B0") << "field of view \"" << text << '"';
  EXPECT_EQ(text.find(L'.') + 6, text.size()) << "field of view \"" << text << "\" has not three decimals";
  EXPECT_NEAR(shown, expected, 0.0005 + 1e-9) << "field of view \"" << text << '"';
}

// Every output for the inputs shown, with the frame step of a fresh start.
void ExpectResultsFor(HWND dialog, int width, int height) {
  ExpectFieldOfView(Text(dialog, IDC_EDIT_FOV), width);
  EXPECT_EQ(Text(dialog, IDC_EDIT_IMAGE_HEIGHT), PixelsText(10LL * height));
  EXPECT_EQ(Text(dialog, IDC_EDIT_IMAGE_WIDTH), PixelsText(10LL * width + 2000));
  EXPECT_EQ(Text(dialog, IDC_EDIT_FRAMES1), L"2000 frames");
  EXPECT_EQ(Text(dialog, IDC_EDIT_FRAMES2), L"1000 frames");
  EXPECT_EQ(Text(dialog, IDC_EDIT_FRAMES4), L"500 frames");
  EXPECT_EQ(Text(dialog, IDC_EDIT_FRAMES8), L"250 frames");
  EXPECT_EQ(Text(dialog, IDC_EDIT_TRACK), L"200 mm");
  EXPECT_EQ(Text(dialog, IDC_EDIT_TRACK_START), L"-100 mm");
  EXPECT_EQ(Text(dialog, IDC_EDIT_TRACK_END), L"100 mm");
  EXPECT_EQ(Text(dialog, IDC_EDIT_DISTANCE), L"300 mm");
  EXPECT_EQ(Visible(dialog, IDC_FRAME_LANDSCAPE), width > height);
  EXPECT_EQ(Visible(dialog, IDC_FRAME_SQUARE), width == height);
  EXPECT_EQ(Visible(dialog, IDC_FRAME_PORTRAIT), width < height);
  for (int mode = 0; mode < 4; ++mode) {
    EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_CHECK_MODE0 + mode), mode == 0 ? BST_CHECKED : BST_UNCHECKED);
  }
}

// Puts the file in place; for a locked file returns the handle that holds it.
HANDLE Place(const std::wstring& path, const CorpusFile& file, bool& bWriteRefused) {
  ClearPath(path);
  bWriteRefused = false;
  switch (file.state) {
    case FileState::Missing: return nullptr;
    case FileState::Folder: ::CreateDirectoryW(path.c_str(), nullptr); return nullptr;
    default: break;
  }
  if (!WriteBytes(path, file.bytes)) ADD_FAILURE() << "cannot write the corpus file";
  if (file.state == FileState::ReadOnly) {
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    bWriteRefused = WriteIsRefused(path);
  }
  if (file.state != FileState::Locked) return nullptr;
  bWriteRefused = true;
  return ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

// Failed checks of the running test so far, to tell which file failed.
int FailedChecks() {
  const testing::TestResult* result = testing::UnitTest::GetInstance()->current_test_info()->result();
  int failed = 0;
  for (int i = 0; i < result->total_part_count(); ++i) failed += result->GetTestPartResult(i).failed() ? 1 : 0;
  return failed;
}

class SettingsCorpus : public testing::Test {
 protected:
  void SetUp() override { ClearPath(m_strPath); }
  void TearDown() override { ClearPath(m_strPath); }

  // Starts and closes the window on one file; false when something failed.
  bool Run(const CorpusFile& file);
  void KeepForReplay(const CorpusFile& file, size_t index) const;

  std::wstring m_strPath = BuildIniPath();
  size_t m_nRefusedReadOnly = 0;
  size_t m_nWrittenReadOnly = 0;
};

bool SettingsCorpus::Run(const CorpusFile& file) {
  SCOPED_TRACE(file.description);
  const int failedBefore = FailedChecks();
  bool bWriteRefused = false;
  HANDLE lock = Place(m_strPath, file, bWriteRefused);
  if (file.state == FileState::ReadOnly) ++(bWriteRefused ? m_nRefusedReadOnly : m_nWrittenReadOnly);

  const int width = ShownValue(PlatformValue(m_strPath, kWidthKey, kDefaultWidthMm));
  const int height = ShownValue(PlatformValue(m_strPath, kHeightKey, kDefaultHeightMm));
  if (file.bPlain && file.state != FileState::Locked) {
    // The reading itself, for files whose meaning is plain: guards the oracle.
    EXPECT_EQ(width, ShownValue(_wtoi(Widen(file.widthText.value_or("30")).c_str()))) << "platform reading";
    EXPECT_EQ(height, ShownValue(_wtoi(Widen(file.heightText.value_or("20")).c_str()))) << "platform reading";
  }

  {
    CVantorelDlg dlg;
    if (!dlg.Create(IDD_VANTOREL_DIALOG)) {
      ADD_FAILURE() << "the window did not start";
    } else {
      PumpMessages();
      EXPECT_EQ(Text(dlg.m_hWnd, IDC_EDIT_WIDTH), std::to_wstring(width));
      EXPECT_EQ(Text(dlg.m_hWnd, IDC_EDIT_HEIGHT), std::to_wstring(height));
      ExpectResultsFor(dlg.m_hWnd, width, height);
      dlg.DestroyWindow();
    }
  }
  if (lock != nullptr && lock != INVALID_HANDLE_VALUE) ::CloseHandle(lock);
  ::SetFileAttributesW(m_strPath.c_str(), FILE_ATTRIBUTE_NORMAL);

  if (file.state == FileState::Folder) {
    EXPECT_TRUE(IsEmptyFolder(m_strPath)) << "the folder in the file's place was touched";
  } else if (bWriteRefused) {
    EXPECT_EQ(ReadBytes(m_strPath), file.bytes) << "a save that could not be written changed the file";
  } else {
    // -1 cannot be shown, so a key the save did not write cannot pass for one it did.
    EXPECT_EQ(PlatformValue(m_strPath, kWidthKey, -1), width) << "saved width";
    EXPECT_EQ(PlatformValue(m_strPath, kHeightKey, -1), height) << "saved height";
  }
  return FailedChecks() == failedBefore;
}

// A failing file is kept beside the test as corpus-failures\<index>.ini.
void SettingsCorpus::KeepForReplay(const CorpusFile& file, size_t index) const {
  std::wstring folder = m_strPath.substr(0, m_strPath.rfind(kIniFileName)) + L"corpus-failures";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  WriteBytes(folder + L"\\" + std::to_wstring(index) + L".ini", file.bytes);
}

TEST_F(SettingsCorpus, EveryFileStartsTheWindowWithWhatTheRulesMake) {
  const uint32_t seed = CorpusSeed();
  const auto start = std::chrono::steady_clock::now();
  const std::vector<CorpusFile> corpus = GenerateSettingsCorpus(seed, CorpusSize());
  size_t failures = 0;
  for (size_t i = 0; i < corpus.size() && failures < kMaxReportedFailures; ++i) {
    if (Run(corpus[i])) continue;
    KeepForReplay(corpus[i], i);
    ++failures;
  }
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::printf("%zu settings files from seed %u in %lld ms; read-only files refused: %zu, written anyway: %zu\n",
              corpus.size(), seed, static_cast<long long>(elapsed.count()), m_nRefusedReadOnly, m_nWrittenReadOnly);
  EXPECT_EQ(failures, 0u) << "the failing files are kept in corpus-failures; the run stops after "
                          << kMaxReportedFailures;
}

}  // namespace
