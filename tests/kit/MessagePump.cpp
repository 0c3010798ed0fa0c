#include "MessagePump.h"

#include "MessageRecorder.h"
#include "afxwin.h"

void PumpMessages(HWND hDialog) {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (hDialog == nullptr || !(CWnd::WalkPreTranslateTree(hDialog, &msg) || ::IsDialogMessageW(hDialog, &msg))) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    MessageRecorder::Handled(msg);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return done();
    PumpMessages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}
