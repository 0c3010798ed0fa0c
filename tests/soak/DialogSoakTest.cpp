// The calculator window, in-process and shown, under a long seeded run of
// random typing, pastes, emptied fields, frame-step clicks and repaints. Every
// thousand operations it must still show a state the calculator can be in,
// and from its first hundred operations to its end it must gain no graphics
// object and keep its memory. The figures are printed.
//
// Options, after GoogleTest's own: --operations=N (100000 unless given, at
// least 200), --seed=N.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include "CVantorelDlg.h"
#include "DialogState.h"
#include "ProcessMemory.h"
#include "ProfileSettings.h"
#include "RandomOperations.h"
#include "GdiObjects.h"
#include "MessagePump.h"

namespace {

int g_nOperations = 100000;
unsigned g_nSeed = 1597;

constexpr int kCheckEvery = 1000;
constexpr int kBaselineAfter = 100;
constexpr long long kPageBytes = 4096;
// In use, the heaps hold the same blocks for the same window; the edit
// controls' buffers, which grow to the longest text they held and stay so,
// and the allocator's rounding make up the noise.
constexpr long long kHeapNoiseBytes = 2 * kPageBytes;
// Committed memory rises when a heap's high-water mark crosses one of the
// 64 KiB steps in which Wine commits heap memory. Small losses show in the
// heaps' figure; this one is for what is allocated outside the heaps.
constexpr long long kCommitNoiseBytes = 16 * kPageBytes;
constexpr size_t kRecentKept = 12;

struct Usage {
  int nGdiObjects;
  long long nPrivateBytes;
  long long nHeapBytes;
};

// Measured with the window in the state it had at its start, all painted:
// what the heaps hold depends on the texts shown and on what painting caches.
Usage MeasureInStartState(HWND dialog) {
  ::SetDlgItemTextW(dialog, IDC_EDIT_WIDTH, L"30");
  ::SetDlgItemTextW(dialog, IDC_EDIT_HEIGHT, L"20");
  ::SendDlgItemMessageW(dialog, IDC_CHECK_MODE0, BM_CLICK, 0, 0);
  ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages();
  return {CountGdiObjects(), static_cast<long long>(PrivateBytes()),
          static_cast<long long>(HeapBytesInUse())};
}

double Seconds() {
  LARGE_INTEGER frequency, now;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Lines(const std::deque<std::string>& recent) {
  std::string lines;
  for (const std::string& line : recent) lines += "\n  " + line;
  return lines;
}

void PrintFigure(const char* name, long long atBaseline, long long atEnd) {
  std::printf("%s after %d operations: %lld, at the end: %lld (%+lld)\n", name, kBaselineAfter, atBaseline, atEnd,
              atEnd - atBaseline);
}

TEST(DialogSoak, StaysConsistentAndKeepsItsResources) {
  const std::wstring iniPath = BuildIniPath();
  ::DeleteFileW(iniPath.c_str());
  CVantorelDlg dlg;
  ASSERT_TRUE(dlg.Create(IDD_VANTOREL_DIALOG));
  PumpMessages();
  ASSERT_EQ(FindInconsistency(ReadDialogState(dlg.m_hWnd)), "") << "at the start";

  // The memory figure must follow what is committed, or its check means nothing.
  const long long nBefore = static_cast<long long>(PrivateBytes());
  void* pBlock = ::VirtualAlloc(nullptr, kCommitNoiseBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  EXPECT_EQ(static_cast<long long>(PrivateBytes()), nBefore + kCommitNoiseBytes);
  ::VirtualFree(pBlock, 0, MEM_RELEASE);

  RandomOperations operations(dlg.m_hWnd, g_nSeed);
  operations.ShowEveryKindOfText();
  std::deque<std::string> recent;
  Usage baseline{};
  // The first broken state is kept, with the operations that led to it, and
  // reported after the last measurement, as reporting allocates; the run goes
  // on, so that its figures still count and later checks tell whether the
  // window recovers.
  int nChecks = 0;
  int nBroken = 0;
  std::string firstBroken;
  const double start = Seconds();
  for (int n = 1; n <= g_nOperations; ++n) {
    recent.push_back(operations.ApplyOne());
    if (recent.size() > kRecentKept) recent.pop_front();
    if (n % kCheckEvery == 0 || n == g_nOperations) {
      ++nChecks;
      const std::string problem = FindInconsistency(ReadDialogState(dlg.m_hWnd));
      if (!problem.empty() && nBroken++ == 0)
        firstBroken =
            "after operation " + std::to_string(n) + ": " + problem + "\nthe last operations:" + Lines(recent);
    }
    if (n == kBaselineAfter) baseline = MeasureInStartState(dlg.m_hWnd);
  }
  const double seconds = Seconds() - start;
  const Usage end = MeasureInStartState(dlg.m_hWnd);

  std::printf("seed %u, %d operations in %.1f s: %.0f operations per second\n", g_nSeed, g_nOperations, seconds,
              g_nOperations / seconds);
  PrintFigure("graphics objects", baseline.nGdiObjects, end.nGdiObjects);
  PrintFigure("private bytes", baseline.nPrivateBytes, end.nPrivateBytes);
  PrintFigure("heap bytes in use", baseline.nHeapBytes, end.nHeapBytes);
  std::printf("checks of the window's state: %d, found broken: %d\n", nChecks, nBroken);
  EXPECT_EQ(nBroken, 0) << "first " << firstBroken;
  EXPECT_EQ(end.nGdiObjects, baseline.nGdiObjects);
  EXPECT_LE(end.nPrivateBytes - baseline.nPrivateBytes, kCommitNoiseBytes);
  EXPECT_LE(std::llabs(end.nHeapBytes - baseline.nHeapBytes), kHeapNoiseBytes);

  dlg.DestroyWindow();
  ::DeleteFileW(iniPath.c_str());
}

bool ParseOption(const char* arg, const char* name, long& value) {
  const size_t length = std::strlen(name);
  if (std::strncmp(arg, name, length) != 0) return false;
  char* end = nullptr;
  value = std::strtol(arg + length, &end, 10);
  return *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    long value = 0;
    if (ParseOption(argv[i], "--operations=", value) && value >= kBaselineAfter * 2) {
      g_nOperations = static_cast<int>(value);
    } else if (ParseOption(argv[i], "--seed=", value)) {
      g_nSeed = static_cast<unsigned>(value);
    } else {
      std::fprintf(stderr, "usage: dialog_soak [--operations=N (N >= %d)] [--seed=N]\n", kBaselineAfter * 2);
      return 2;
    }
  }
  // The skin buttons' tool tips are common controls, as in the program.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  // Out in the corner the pointer hovers no skin button.
  ::SetCursorPos(1279, 1023);
  return RUN_ALL_TESTS();
}
