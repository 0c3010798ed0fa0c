// Start-up of the calculator against the minimal dialog program: the time from
// CreateProcess until the new process first waits for input, which it does
// only after its window has been painted, and the process's peak memory by
// then. Starts alternate between the two programs; medians are printed.
//   startup_bench.exe Vantorel.exe minimal_dialog.exe
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 11;

struct Start {
  double milliseconds = 0;
  double peakMegabytes = 0;
};

BOOL CALLBACK CloseWindowsOf(HWND hWnd, LPARAM processId) {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hWnd, &owner);
  if (owner == static_cast<DWORD>(processId)) ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

bool Measure(const std::wstring& program, Start& start) {
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  LARGE_INTEGER frequency, begin, ready;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&begin);
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  DWORD idle = ::WaitForInputIdle(pi.hProcess, 20000);
  ::QueryPerformanceCounter(&ready);
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(pi.hProcess, &counters, sizeof counters);
  start.milliseconds = static_cast<double>(ready.QuadPart - begin.QuadPart) * 1e3 / static_cast<double>(frequency.QuadPart);
  start.peakMegabytes = static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);

  ::EnumWindows(CloseWindowsOf, static_cast<LPARAM>(pi.dwProcessId));
  if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return idle == 0;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::printf("usage: startup_bench PROGRAM MINIMAL_PROGRAM\n");
    return 2;
  }
  std::vector<double> time[2], memory[2], ratios;
  Start warm;
  Measure(argv[1], warm);
  Measure(argv[2], warm);
  for (int run = 0; run < kRuns; ++run) {
    Start starts[2];
    for (int which = 0; which < 2; ++which) {
      if (!Measure(argv[1 + which], starts[which])) {
        std::printf("%ls did not become idle\n", argv[1 + which]);
        return 1;
      }
      time[which].push_back(starts[which].milliseconds);
      memory[which].push_back(starts[which].peakMegabytes);
    }
    ratios.push_back(starts[0].milliseconds / starts[1].milliseconds);
  }
  std::printf("starts %d each, medians\n", kRuns);
  std::printf("calculator      %8.1f ms to idle, peak working set %6.2f MB\n", Median(time[0]), Median(memory[0]));
  std::printf("minimal dialog  %8.1f ms to idle, peak working set %6.2f MB\n", Median(time[1]), Median(memory[1]));
  std::printf("time ratio      %8.3f\n", Median(ratios));
  std::printf("memory above    %8.2f MB\n", Median(memory[0]) - Median(memory[1]));
  return 0;
}
