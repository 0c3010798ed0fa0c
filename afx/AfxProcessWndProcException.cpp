#include "AfxProcessWndProcException.h"

#include <exception>
#include <cwchar>
#include <string>

#include "AfxGlobals.h"
#include "AfxThreadState.h"
#include "AfxTrace.h"
#include "CWinApp.h"
#include "CWnd.h"

namespace {

bool IsDrawing(UINT message) {
  return message == WM_PAINT || message == WM_NCPAINT || message == WM_ERASEBKGND || message == WM_DRAWITEM ||
         message == WM_PRINTCLIENT || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

std::wstring Widen(const char* text) {
  int size = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring wide(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) ::MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), size);
  return wide;
}

// The exception being handled, in words.
std::wstring DescribeCurrentException() {
  try {
    throw;
  } catch (const std::exception& e) {
    return Widen(e.what());
  } catch (...) {
    return L"an exception that is not a std::exception";
  }
}

std::wstring DescribeFailure(CWnd* pWnd, const MSG& msg) {
  wchar_t className[64] = {};
  ::GetClassNameW(msg.hwnd, className, 64);
  wchar_t message[8];
  std::swprintf(message, 8, L"0x%04X", msg.message);
  return L"A " + Widen(pWnd != nullptr ? pWnd->GetRuntimeClass()->m_lpszClassName : "window") +
         L" handler failed on message " + message + L" to window class " + className + L", control " +
         std::to_wstring(::GetDlgCtrlID(msg.hwnd)) + L": " + DescribeCurrentException();
}

// The program's name, as the box's caption: the application's when it has
// one, else the executable's.
std::wstring Caption() {
  if (CWinApp* pApp = AfxGetApp(); pApp != nullptr && !pApp->m_strAppName.IsEmpty())
    return static_cast<LPCWSTR>(pApp->m_strAppName);
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name = path;
  name.erase(0, name.find_last_of(L"\\/") + 1);
  return name.substr(0, name.rfind(L'.'));
}

void ShowReport(HWND hWnd, const std::wstring& failure, const wchar_t* outcome) {
  const std::wstring text = failure + L"\n\n" + outcome;
  ::MessageBoxW(::GetAncestor(hWnd, GA_ROOT), text.c_str(), Caption().c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace

void AfxProcessWndProcException(CWnd* pWnd, const MSG& msg) {
  const std::wstring failure = DescribeFailure(pWnd, msg);
  AfxTrace(L"%ls", failure.c_str());
  AfxThreadState& state = AfxGetThreadState();
  if (IsDrawing(msg.message)) {
    if (!state.bDrawingFailureShown) {
      state.bDrawingFailureShown = true;
      ShowReport(msg.hwnd, failure, L"The program goes on; this part of the window may look plain.");
    }
    return;
  }
  ShowReport(msg.hwnd, failure, L"The program cannot safely go on and ends now, without saving.");
  ::ExitProcess(kAfxExitHandlerFailed);
}
