// The yardstick for start-up: the calculator's own resources and dialog
// template shown by the least a Win32 program can do, a bare dialog procedure,
// so that the comparison shows what the program's code adds.
#include <windows.h>

#include "resource.h"

namespace {

INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    ::EndDialog(hDlg, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int) {
  return static_cast<int>(
      ::DialogBoxParamW(hInstance, MAKEINTRESOURCEW(IDD_VANTOREL_DIALOG), nullptr, DialogProc, 0));
}
