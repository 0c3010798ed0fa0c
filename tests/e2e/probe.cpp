// Looks at the running calculator from a second process, through the same
// window calls any other program could make, so that the end-to-end script can
// check what a person would see.
//
// Usage:
//   probe              print the window's state as key=value lines (exit 1 when
//                      there is no calculator window)
//   probe wait [MS]    wait until the calculator window exists (default 10 s)
//   probe waitgone [MS]  wait until it no longer exists
//   probe restore      restore the calculator from its minimised state
//   probe clip TEXT    put TEXT on the clipboard as Unicode text
//   probe ping         exit 0 when the calculator answers a message within 1 s
//   probe moving       exit 0 when the calculator is in the platform's move loop
//   probe clipboard    print the clipboard's Unicode text (exit 1 when it has none)
//   probe names        print what screen readers read as each control's name

#include <windows.h>
#include <commctrl.h>

#include <oleacc.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "CalculatorFields.h"
#include "PreviewControls.h"

namespace {

constexpr int kImageWidthId = 1016;
constexpr DWORD kPollMs = 50;
constexpr DWORD kDefaultWaitMs = 10000;
constexpr UINT kPingTimeoutMs = 1000;

BOOL CALLBACK MatchCalculator(HWND hwnd, LPARAM lParam) {
  wchar_t className[16] = {};
  GetClassNameW(hwnd, className, 16);
  if (wcscmp(className, L"#32770") != 0 || GetDlgItem(hwnd, kImageWidthId) == nullptr) return TRUE;
  *reinterpret_cast<HWND*>(lParam) = hwnd;
  return FALSE;
}

// The calculator is the top-level dialog that holds the image-width field; its
// title alone could be any window's.
HWND FindCalculator() {
  HWND found = nullptr;
  EnumWindows(MatchCalculator, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::string ToUtf8(const wchar_t* text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

void PrintRect(const char* key, HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  std::printf("%s=%ld,%ld,%ld,%ld\n", key, rect.left, rect.top, rect.right, rect.bottom);
}

BOOL CALLBACK PrintControl(HWND hwnd, LPARAM) {
  char key[32];
  std::snprintf(key, sizeof key, "rect.%d", GetDlgCtrlID(hwnd));
  PrintRect(key, hwnd);
  return TRUE;
}

// GetDlgItemTextW asks the field itself (WM_GETTEXT); GetWindowTextW would
// only read the stored caption of another process's window, which is empty.
void PrintTexts(HWND dialog) {
  for (int id : kCalculatorFieldIds) {
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    std::printf("text.%d=%s\n", id, ToUtf8(text).c_str());
  }
}

void PrintChecks(HWND dialog) {
  for (int id = 1012; id <= 1015; ++id)
    std::printf("check.%d=%d\n", id, static_cast<int>(SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0)));
}

void PrintOutlines(HWND dialog) {
  for (int id = 1017; id <= 1019; ++id)
    std::printf("visible.%d=%d\n", id, IsWindowVisible(GetDlgItem(dialog, id)) ? 1 : 0);
}

// Which control holds the keyboard focus in the calculator's thread: when keys
// go astray this is the first thing to look at.
void PrintFocus(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  std::printf("focus=%d\n", info.hwndFocus != nullptr ? GetDlgCtrlID(info.hwndFocus) : 0);
  std::printf("active=%d\n", info.hwndActive == dialog ? 1 : 0);
}

void PrintAbout() {
  HWND about = FindWindowW(L"#32770", L"About Vantorel");
  std::printf("about=%d\n", about != nullptr ? 1 : 0);
  if (about == nullptr) return;
  PrintRect("rect.about", about);
  PrintRect("rect.about.ok", GetDlgItem(about, IDOK));
}

struct Popups {
  bool bMenu = false;
  bool bToolTip = false;
};

BOOL CALLBACK NotePopup(HWND hwnd, LPARAM lParam) {
  if (!IsWindowVisible(hwnd)) return TRUE;
  wchar_t className[32] = {};
  GetClassNameW(hwnd, className, 32);
  auto* popups = reinterpret_cast<Popups*>(lParam);
  if (wcscmp(className, L"#32768") == 0) popups->bMenu = true;
  if (_wcsicmp(className, TOOLTIPS_CLASSW) == 0) popups->bToolTip = true;
  return TRUE;
}

// The open menu and the shown tool tip are top-level windows of the
// calculator's thread; the export's Save As dialog is one too.
void PrintPopups(HWND dialog) {
  Popups popups;
  EnumThreadWindows(GetWindowThreadProcessId(dialog, nullptr), NotePopup, reinterpret_cast<LPARAM>(&popups));
  std::printf("menu=%d\n", popups.bMenu ? 1 : 0);
  std::printf("tooltip=%d\n", popups.bToolTip ? 1 : 0);
  std::printf("saveas=%d\n", FindWindowW(L"#32770", L"Export Render Setup") != nullptr ? 1 : 0);
}

// The preview of a folder of frames, a top-level window of its own, and the
// folder picker and error box of the command that opens it.
constexpr wchar_t kPreviewTitle[] = L"Rendered frames - ";
constexpr wchar_t kCheckFramesTitle[] = L"Check Rendered Frames";

struct CheckFramesWindows {
  HWND hPreview = nullptr;
  int nPreviews = 0;
  bool bPicker = false;
  std::wstring box;  // the error box's words
};

BOOL CALLBACK NoteCheckFramesWindow(HWND hwnd, LPARAM lParam) {
  auto* found = reinterpret_cast<CheckFramesWindows*>(lParam);
  wchar_t title[256] = {};
  GetWindowTextW(hwnd, title, 256);
  if (!IsWindowVisible(hwnd)) return TRUE;
  if (wcsncmp(title, kPreviewTitle, wcslen(kPreviewTitle)) == 0) {
    found->hPreview = hwnd;
    ++found->nPreviews;
  } else if (wcscmp(title, kCheckFramesTitle) == 0 && GetDlgItem(hwnd, IDCANCEL) != nullptr) {
    found->bPicker = true;  // an error box has only OK
  } else if (wcscmp(title, kCheckFramesTitle) == 0) {
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t className[16] = {}, text[1024] = {};
      GetClassNameW(child, className, 16);
      if (_wcsicmp(className, L"Static") != 0) continue;
      SendMessageW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
      found->box += text;
    }
  }
  return TRUE;
}

void PrintCheckFrames() {
  CheckFramesWindows found;
  EnumWindows(NoteCheckFramesWindow, reinterpret_cast<LPARAM>(&found));
  std::printf("picker=%d\n", found.bPicker ? 1 : 0);
  std::printf("box=%s\n", ToUtf8(found.box.c_str()).c_str());
  std::printf("previews=%d\n", found.nPreviews);
  if (found.hPreview == nullptr) return;
  wchar_t text[1024] = {};
  GetWindowTextW(found.hPreview, text, 1024);
  std::printf("preview.title=%s\n", ToUtf8(text).c_str());
  PrintRect("rect.preview", found.hPreview);
  for (int id : {IDC_PREVIEW_FRAME, IDC_PREVIEW_SUMMARY}) {
    GetDlgItemTextW(found.hPreview, id, text, 1024);
    std::printf("preview.%d=%s\n", id, ToUtf8(text).c_str());
  }
}

int PrintState() {
  HWND dialog = FindCalculator();
  PrintAbout();
  if (dialog == nullptr) {
    std::printf("window=0\n");
    return 1;
  }
  std::printf("window=1\n");
  std::printf("iconic=%d\n", IsIconic(dialog) ? 1 : 0);
  std::printf("visible=%d\n", IsWindowVisible(dialog) ? 1 : 0);
  PrintRect("rect.window", dialog);
  EnumChildWindows(dialog, PrintControl, 0);
  PrintTexts(dialog);
  PrintChecks(dialog);
  PrintOutlines(dialog);
  PrintFocus(dialog);
  PrintPopups(dialog);
  PrintCheckFrames();
  return 0;
}

int WaitFor(bool present, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while ((FindCalculator() != nullptr) != present) {
    if (GetTickCount() - start >= timeoutMs) return 1;
    Sleep(kPollMs);
  }
  return 0;
}

// A window whose thread still runs its message loop answers a sent message.
int Ping() {
  HWND dialog = FindCalculator();
  DWORD_PTR result = 0;
  if (dialog == nullptr) return 1;
  return SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kPingTimeoutMs, &result) != 0 ? 0 : 1;
}

// The move loop takes the pointer's position when it starts, so a drag's first
// motion must wait for it.
int Moving() {
  HWND dialog = FindCalculator();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (dialog == nullptr || !GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info)) return 1;
  return (info.flags & GUI_INMOVESIZE) != 0 ? 0 : 1;
}

int Restore() {
  HWND dialog = FindCalculator();
  if (dialog == nullptr) return 1;
  ShowWindow(dialog, SW_RESTORE);
  return 0;
}

// The clipboard only takes data from an owner window, so the probe makes a
// hidden one for the moment it writes.
int Clip(const std::wstring& text) {
  HWND owner = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (owner == nullptr || memory == nullptr) return 1;
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(owner)) return 1;
  EmptyClipboard();
  const bool stored = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  DestroyWindow(owner);
  return stored ? 0 : 1;
}

int PrintClipboard() {
  if (!OpenClipboard(nullptr)) return 1;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const wchar_t* text = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  if (text != nullptr) {
    std::fputs(ToUtf8(text).c_str(), stdout);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text != nullptr ? 0 : 1;
}

// Through the accessibility interface, from outside, as a screen reader asks.
int PrintNames() {
  HWND dialog = FindCalculator();
  if (dialog == nullptr || FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
    IAccessible* acc = nullptr;
    BSTR name = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&acc))))
      continue;
    if (acc->get_accName(self, &name) == S_OK) std::printf("name.%d=%s\n", GetDlgCtrlID(control), ToUtf8(name).c_str());
    SysFreeString(name);
    acc->Release();
  }
  CoUninitialize();
  return 0;
}

DWORD TimeoutArg(int argc, wchar_t** argv) {
  return argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : kDefaultWaitMs;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Plain "\n" line ends and the bytes of UTF-8 as they are, for the script.
  _setmode(_fileno(stdout), _O_BINARY);
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command.empty()) return PrintState();
  if (command == L"wait") return WaitFor(true, TimeoutArg(argc, argv));
  if (command == L"waitgone") return WaitFor(false, TimeoutArg(argc, argv));
  if (command == L"restore") return Restore();
  if (command == L"ping") return Ping();
  if (command == L"moving") return Moving();
  if (command == L"names") return PrintNames();
  if (command == L"clip" && argc > 2) return Clip(argv[2]);
  if (command == L"clipboard") return PrintClipboard();
  std::fprintf(stderr, "usage: probe [wait [MS] | waitgone [MS] | restore | clip TEXT | clipboard | ping | moving | names]\n");
  return 2;
}
