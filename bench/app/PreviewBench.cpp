// The preview of rendered frames, in process, on a folder of frames of the
// 30 x 20 mm rig at every frame (2,000 frames of 2300 x 200 px):
//   preview_bench.exe redraw FOLDER
//     the picture redrawn after a pointer move to a frame it has not shown
//     before: the move's message handled and the picture painted, 100 moves
//     while the check runs and 100 after it, median and worst of each;
//   preview_bench.exe check FOLDER CHECK_TOOL
//     the whole check in the window (opening the preview until its progress
//     bar goes) against the check tool as a process on the same folder, three
//     runs each, interleaved, medians;
//   preview_bench.exe memory FOLDER
//     the peak working set above the calculator's own, with every frame shown
//     while the check runs, and then the whole check.
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "CPreviewWnd.h"
#include "CVantorelDlg.h"
#include "PreviewControls.h"
#include "Timing.h"

namespace {

constexpr int kMoves = 100;
constexpr int kMoveSpacingPx = 8;
constexpr int kCheckRuns = 3;
constexpr DWORD kCheckTimeoutMs = 600000;

RenderSetup Rig() {
  RenderSetup setup;
  setup.nWidthMm = 30;
  setup.nHeightMm = 20;
  setup.dPixelPitchMm = 0.1;
  setup.dCameraDistanceMm = 300.0;
  setup.dTrackLengthMm = 200.0;
  setup.nMode = RenderEveryFrame;
  return setup;
}

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

// The check is over when the preview's progress bar goes.
bool Checking(HWND hPreview) { return ::IsWindowVisible(::GetDlgItem(hPreview, IDC_PREVIEW_PROGRESS)) != FALSE; }

bool WaitForCheck(HWND hPreview) {
  const DWORD start = ::GetTickCount();
  while (Checking(hPreview)) {
    if (::GetTickCount() - start > kCheckTimeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    Pump();
  }
  return true;
}

HWND OpenPreview(CWnd* pOwner, const wchar_t* pszFolder) {
  std::string sentence;
  CPreviewWnd* pPreview = CPreviewWnd::Open(pOwner, pszFolder, Rig(), &sentence);
  if (pPreview == nullptr) std::printf("the preview did not open: %s\n", sentence.c_str());
  return pPreview != nullptr ? pPreview->m_hWnd : nullptr;
}

int FrameShown(HWND hPreview) {
  wchar_t text[256] = {};
  ::GetDlgItemTextW(hPreview, IDC_PREVIEW_FRAME, text, 256);
  int nFrame = 0;
  return std::swscanf(text, L"Frame %d", &nFrame) == 1 ? nFrame : 0;
}

// Milliseconds of kMoves pointer moves, each to a frame not shown before: the
// moves start at x0 and go kMoveSpacingPx to the right each time.
std::vector<double> MovesToNewFrames(HWND hPreview, int x0, std::set<int>* pShown) {
  HWND hPicture = ::GetDlgItem(hPreview, IDC_PREVIEW_PICTURE);
  RECT client{};
  ::GetClientRect(hPicture, &client);
  std::vector<double> ms;
  for (int i = 0; i < kMoves; ++i) {
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    ::SendMessageW(hPicture, WM_MOUSEMOVE, 0, MAKELPARAM(x0 + i * kMoveSpacingPx, client.bottom / 2));
    ::UpdateWindow(hPicture);
    ::GdiFlush();
    ::QueryPerformanceCounter(&end);
    ms.push_back(Seconds(start, end) * 1e3);
    if (!pShown->insert(FrameShown(hPreview)).second) std::printf("a move showed a frame shown before\n");
    Pump();
  }
  return ms;
}

void PrintMoves(const char* pszWhen, const std::vector<double>& ms) {
  std::printf("median redraw %-16s %8.2f ms\n", pszWhen, Median(ms));
  std::printf("worst redraw %-17s %8.2f ms\n", pszWhen, *std::max_element(ms.begin(), ms.end()));
}

int Redraw(CWnd* pOwner, const wchar_t* pszFolder) {
  HWND hPreview = OpenPreview(pOwner, pszFolder);
  if (hPreview == nullptr) return 1;
  Pump();
  std::set<int> shown{FrameShown(hPreview)};
  const std::vector<double> during = MovesToNewFrames(hPreview, kMoveSpacingPx / 2, &shown);
  if (!Checking(hPreview)) std::printf("(the check ended before the moves while checking did)\n");
  if (!WaitForCheck(hPreview)) return 1;
  const std::vector<double> after = MovesToNewFrames(hPreview, 0, &shown);
  std::printf("%d moves to frames not shown before, each way; %zu frames shown in all\n", kMoves, shown.size());
  PrintMoves("while checking", during);
  PrintMoves("after the check", after);
  ::DestroyWindow(hPreview);
  return 0;
}

double SecondsOfWindowCheck(CWnd* pOwner, const wchar_t* pszFolder) {
  LARGE_INTEGER start, end;
  ::QueryPerformanceCounter(&start);
  HWND hPreview = OpenPreview(pOwner, pszFolder);
  if (hPreview == nullptr || !WaitForCheck(hPreview)) return -1;
  ::QueryPerformanceCounter(&end);
  ::DestroyWindow(hPreview);
  Pump();
  return Seconds(start, end);
}

// The tool's report goes nowhere: the time is what counts.
double SecondsOfToolCheck(const wchar_t* pszTool, const wchar_t* pszFolder) {
  std::wstring commandLine = L"\"" + std::wstring(pszTool) + L"\" \"" + pszFolder + L"\" --width 30 --height 20";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE hNul = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = hNul;
  si.hStdError = hNul;
  PROCESS_INFORMATION pi{};
  LARGE_INTEGER start, end;
  ::QueryPerformanceCounter(&start);
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return -1;
  const bool bEnded = ::WaitForSingleObject(pi.hProcess, kCheckTimeoutMs) == WAIT_OBJECT_0;
  ::QueryPerformanceCounter(&end);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  ::CloseHandle(hNul);
  return bEnded ? Seconds(start, end) : -1;
}

int Check(CWnd* pOwner, const wchar_t* pszFolder, const wchar_t* pszTool) {
  std::vector<double> window, tool, ratios;
  for (int run = 0; run < kCheckRuns; ++run) {
    window.push_back(SecondsOfWindowCheck(pOwner, pszFolder));
    tool.push_back(SecondsOfToolCheck(pszTool, pszFolder));
    if (window.back() < 0 || tool.back() < 0) {
      std::printf("a check did not end\n");
      return 1;
    }
    ratios.push_back(window.back() / tool.back());
  }
  std::printf("whole check, medians of %d runs\n", kCheckRuns);
  std::printf("in the window  %8.2f s\n", Median(window));
  std::printf("the tool       %8.2f s\n", Median(tool));
  std::printf("ratio          %8.3f\n", Median(ratios));
  return 0;
}

double PeakMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

int Memory(CWnd* pOwner, const wchar_t* pszFolder) {
  const double calculator = PeakMegabytes();
  HWND hPreview = OpenPreview(pOwner, pszFolder);
  if (hPreview == nullptr) return 1;
  HWND hPicture = ::GetDlgItem(hPreview, IDC_PREVIEW_PICTURE);
  ::SendMessageW(hPicture, WM_KEYDOWN, VK_END, 0);
  const int nLast = FrameShown(hPreview);
  for (int k = nLast; k > 1; --k) {
    ::SendMessageW(hPicture, WM_KEYDOWN, VK_LEFT, 0);
    ::UpdateWindow(hPicture);
    Pump();
  }
  if (!WaitForCheck(hPreview)) return 1;
  const double withPreview = PeakMegabytes();
  std::printf("every frame of %d shown while the check ran (now at frame %d)\n", nLast, FrameShown(hPreview));
  std::printf("peak working set, calculator alone   %8.1f MB\n", calculator);
  std::printf("peak working set, with the preview   %8.1f MB\n", withPreview);
  std::printf("memory above the calculator's own    %8.1f MB\n", withPreview - calculator);
  ::DestroyWindow(hPreview);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 2 ? argv[1] : L"";
  if (!(mode == L"redraw" || mode == L"memory" || (mode == L"check" && argc > 3))) {
    std::printf("usage: preview_bench redraw FOLDER | check FOLDER CHECK_TOOL | memory FOLDER\n");
    return 2;
  }
  // As the program does: the window's thread joins COM as a single-threaded apartment.
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  CVantorelDlg dlg;
  if (!dlg.Create(IDD_VANTOREL_DIALOG)) {
    std::printf("could not create the calculator window\n");
    return 1;
  }
  Pump();
  int status = 0;
  if (mode == L"redraw") status = Redraw(&dlg, argv[2]);
  else if (mode == L"check") status = Check(&dlg, argv[2], argv[3]);
  else status = Memory(&dlg, argv[2]);
  dlg.DestroyWindow();
  ::CoUninitialize();
  return status;
}
