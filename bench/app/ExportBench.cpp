// What Export Render Setup costs once the user has confirmed the Save As
// dialog: the rig, the file's text and its atomic write, for 30 x 20 mm at
// every frame (2,000 frames), in each format the window writes. Medians of
// the runs are printed.
#include <cstdio>
#include <string>
#include <vector>

#include "CVantorelDlg.h"
#include "Timing.h"

constexpr int kRuns = 21;

int main() {
  CVantorelDlg dlg;
  if (!dlg.Create(IDD_VANTOREL_DIALOG)) {
    std::printf("could not create the dialog\n");
    return 1;
  }
  ::SetDlgItemTextW(dlg.m_hWnd, IDC_EDIT_WIDTH, L"30");
  ::SetDlgItemTextW(dlg.m_hWnd, IDC_EDIT_HEIGHT, L"20");
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"vantorel-export-bench";

  std::printf("exporting 30 x 20 mm at every frame (2000 frames), medians of %d runs\n", kRuns);
  int failures = 0;
  for (const ExportChoice& choice : ExportChoices()) {
    if (choice.eFraming != Framing::Wide || choice.eFormat == SetupFormat::Blender) continue;
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
      LARGE_INTEGER start, end;
      ::QueryPerformanceCounter(&start);
      failures += dlg.ExportSetupTo(path, choice) ? 0 : 1;
      ::QueryPerformanceCounter(&end);
      times.push_back(Seconds(start, end) * 1e3);
    }
    std::printf("%-4ls %8.2f ms\n", choice.pszExtension, Median(times));
  }
  ::DeleteFileW(path.c_str());
  dlg.DestroyWindow();
  return failures == 0 ? 0 : 1;
}
