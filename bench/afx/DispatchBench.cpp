// What a message costs through a three-level chain of message tables, with
// the handler in the last table the lookup reaches, against a bare window
// procedure handling the same message. Both are reached with SendMessageW on
// a real window. Runs of the two alternate, so that a change in the load of
// the machine hits both alike; prints the median time per message of each
// and the median of the ratios of neighbouring runs.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "afxwin.h"

namespace {

constexpr UINT WM_BENCH = WM_APP + 1;
constexpr int kMessagesPerRun = 50000;
constexpr int kRuns = 31;

LRESULT CALLBACK BareProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_BENCH) return static_cast<LRESULT>(wParam) + 1;
  return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// Tables about the size of the program's own window classes.
class CBenchBase : public CWnd {
 public:
  LRESULT OnBench(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) + 1; }
  LRESULT OnOther(WPARAM, LPARAM) { return 0; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBenchBase, CWnd)
  ON_MESSAGE(WM_APP + 10, &CBenchBase::OnOther)
  ON_MESSAGE(WM_APP + 11, &CBenchBase::OnOther)
  ON_MESSAGE(WM_BENCH, &CBenchBase::OnBench)
END_MESSAGE_MAP()

class CBenchMiddle : public CBenchBase {
 public:
  void OnSize(UINT, int, int) {}
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  void OnLButtonDown(UINT, CPoint) {}
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBenchMiddle, CBenchBase)
  ON_WM_LBUTTONDOWN()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
END_MESSAGE_MAP()

class CBenchDerived : public CBenchMiddle {
 public:
  void OnPaint() { Default(); }
  void OnDestroy() { Default(); }
  void OnOk() {}
  LRESULT OnOther(WPARAM, LPARAM) { return 1; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBenchDerived, CBenchMiddle)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_WM_DESTROY()
  ON_BN_CLICKED(IDOK, &CBenchDerived::OnOk)
  ON_MESSAGE(WM_APP + 12, &CBenchDerived::OnOther)
END_MESSAGE_MAP()

HWND CreateWindowOfClass(LPCWSTR className, WNDPROC proc) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = className;
  ::RegisterClassW(&wc);
  return ::CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

double NanosecondsPerMessage(HWND hWnd) {
  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  ::QueryPerformanceFrequency(&frequency);
  LRESULT sum = 0;
  ::QueryPerformanceCounter(&start);
  for (int i = 0; i < kMessagesPerRun; ++i) sum += ::SendMessageW(hWnd, WM_BENCH, static_cast<WPARAM>(i), 0);
  ::QueryPerformanceCounter(&end);
  if (sum == 0) std::printf("no message was handled\n");
  return static_cast<double>(end.QuadPart - start.QuadPart) * 1e9 / static_cast<double>(frequency.QuadPart) /
         kMessagesPerRun;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  HWND hBare = CreateWindowOfClass(L"BenchBare", &BareProc);
  CBenchDerived wnd;
  HWND hPlain = CreateWindowOfClass(L"BenchPlain", &::DefWindowProcW);
  if (hBare == nullptr || hPlain == nullptr || !wnd.SubclassWindow(hPlain)) {
    std::printf("could not create the windows\n");
    return 1;
  }
  NanosecondsPerMessage(hBare);
  NanosecondsPerMessage(hPlain);

  std::vector<double> bare;
  std::vector<double> chained;
  std::vector<double> ratios;
  for (int run = 0; run < kRuns; ++run) {
    bare.push_back(NanosecondsPerMessage(hBare));
    chained.push_back(NanosecondsPerMessage(hPlain));
    ratios.push_back(chained.back() / bare.back());
  }
  std::printf("messages per run %d, runs %d, medians of the runs\n", kMessagesPerRun, kRuns);
  std::printf("bare window procedure       %8.1f ns/message\n", Median(bare));
  std::printf("three-level message tables  %8.1f ns/message\n", Median(chained));
  std::printf("ratio                       %8.3f\n", Median(ratios));
  wnd.DestroyWindow();
  ::DestroyWindow(hBare);
  return 0;
}
