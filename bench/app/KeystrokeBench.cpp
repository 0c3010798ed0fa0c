// What one keystroke in the width field costs until all eleven result fields
// and the outline are updated (a tip's text is worked out only when it shows),
// against the bare platform calls that update the fields and the outline:
// eleven SetWindowTextW and three ShowWindow on the controls of a plain dialog
// made from the same template. Runs alternate; medians are printed.
#include <cstdio>
#include <vector>

#include "CVantorelDlg.h"
#include "Timing.h"

namespace {

constexpr int kKeystrokesPerRun = 400;
constexpr int kRuns = 21;

const int kOutputIds[] = {IDC_EDIT_FOV,        IDC_EDIT_IMAGE_HEIGHT, IDC_EDIT_IMAGE_WIDTH, IDC_EDIT_FRAMES1,
                          IDC_EDIT_FRAMES2,    IDC_EDIT_FRAMES4,      IDC_EDIT_FRAMES8,     IDC_EDIT_TRACK,
                          IDC_EDIT_TRACK_START, IDC_EDIT_TRACK_END,   IDC_EDIT_DISTANCE};

// The texts of 30 mm and of 305 mm, which the keystrokes alternate between.
const wchar_t* const kTexts[2][11] = {
    {L"41.947 \u00B0", L"200 px", L"2300 px", L"2000 frames", L"1000 frames", L"500 frames", L"250 frames",
     L"200 mm", L"-100 mm", L"100 mm", L"300 mm"},
    {L"80.177 \u00B0", L"200 px", L"5050 px", L"2000 frames", L"1000 frames", L"500 frames", L"250 frames",
     L"200 mm", L"-100 mm", L"100 mm", L"300 mm"},
};

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Types "5" at the end of "30" and takes it back again, in turn.
double MicrosecondsPerKeystroke(HWND hWidth) {
  LARGE_INTEGER start, end;
  ::QueryPerformanceCounter(&start);
  for (int i = 0; i < kKeystrokesPerRun; ++i) {
    ::SendMessageW(hWidth, EM_SETSEL, i % 2 == 0 ? 2 : 3, i % 2 == 0 ? 2 : 3);
    ::SendMessageW(hWidth, WM_CHAR, i % 2 == 0 ? L'5' : VK_BACK, 1);
  }
  ::QueryPerformanceCounter(&end);
  return Seconds(start, end) * 1e6 / kKeystrokesPerRun;
}

double MicrosecondsPerBareUpdate(HWND hDlg) {
  LARGE_INTEGER start, end;
  ::QueryPerformanceCounter(&start);
  for (int i = 0; i < kKeystrokesPerRun; ++i) {
    for (int field = 0; field < 11; ++field) ::SetDlgItemTextW(hDlg, kOutputIds[field], kTexts[i % 2][field]);
    ::ShowWindow(::GetDlgItem(hDlg, IDC_FRAME_PORTRAIT), SW_HIDE);
    ::ShowWindow(::GetDlgItem(hDlg, IDC_FRAME_SQUARE), SW_HIDE);
    ::ShowWindow(::GetDlgItem(hDlg, IDC_FRAME_LANDSCAPE), SW_SHOW);
  }
  ::QueryPerformanceCounter(&end);
  return Seconds(start, end) * 1e6 / kKeystrokesPerRun;
}

}  // namespace

int main() {
  // Side by side, so that neither dialog hides the other's fields.
  CVantorelDlg dlg;
  HWND hPlain = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_VANTOREL_DIALOG), nullptr,
                                     PlainDialogProc, 0);
  if (!dlg.Create(IDD_VANTOREL_DIALOG) || hPlain == nullptr) {
    std::printf("could not create the dialogs\n");
    return 1;
  }
  ::SetWindowPos(hPlain, nullptr, 0, 600, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  // The plain fields get the calculator's font: laying out text costs by font.
  HFONT hFont = reinterpret_cast<HFONT>(::SendDlgItemMessageW(dlg.m_hWnd, IDC_EDIT_FOV, WM_GETFONT, 0, 0));
  for (int id : kOutputIds) ::SendDlgItemMessageW(hPlain, id, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
  HWND hWidth = ::GetDlgItem(dlg.m_hWnd, IDC_EDIT_WIDTH);
  ::SetWindowTextW(hWidth, L"30");
  MicrosecondsPerKeystroke(hWidth);
  MicrosecondsPerBareUpdate(hPlain);

  std::vector<double> keystroke, bare, ratios;
  for (int run = 0; run < kRuns; ++run) {
    keystroke.push_back(MicrosecondsPerKeystroke(hWidth));
    bare.push_back(MicrosecondsPerBareUpdate(hPlain));
    ratios.push_back(keystroke.back() / bare.back());
  }
  wchar_t text[32] = {};
  ::GetDlgItemTextW(dlg.m_hWnd, IDC_EDIT_IMAGE_WIDTH, text, 32);
  std::printf("keystrokes per run %d, runs %d, medians of the runs (last image width: %ls)\n", kKeystrokesPerRun,
              kRuns, text);
  std::printf("keystroke to all fields and the outline  %8.1f us\n", Median(keystroke));
  std::printf("bare 11 SetWindowTextW + 3 ShowWindow    %8.1f us\n", Median(bare));
  std::printf("ratio                                    %8.3f\n", Median(ratios));
  ::DestroyWindow(hPlain);
  dlg.DestroyWindow();
  return 0;
}
