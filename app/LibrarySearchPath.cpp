// Libraries the platform loads by name while the program runs (the themes
// library the common controls load on first use, for one) are taken from the
// system folder only: a copy planted beside the program, in a downloads folder
// say, would otherwise run inside it. Linked into the executable itself, not
// into a library, so that the linker keeps it although nothing calls it.
#include <windows.h>

namespace {

// Priority 101 runs this before every other static constructor, the
// application object's included, so nothing of the program loads a library
// first. Looked up rather than imported: Windows 7 has the call only with an
// update installed, and would refuse to start a program that imports it.
__attribute__((constructor(101))) void RestrictLibrarySearchToSystemFolder() {
  FARPROC proc = ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  if (proc == nullptr) return;
  // Through the generic function type, which converts to any other without a warning.
  auto setDefaultDllDirectories = reinterpret_cast<BOOL(WINAPI*)(DWORD)>(reinterpret_cast<void (*)()>(proc));
  setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace
