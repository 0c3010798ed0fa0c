// Loads a library by its bare name, as the platform's own libraries do for
// the program, and prints the path it came from. Built twice: plainly, and
// with the program's own start-up restriction of the library search.
//
// Usage: load_library_probe NAME
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: load_library_probe NAME\n");
    return 2;
  }
  HMODULE library = ::LoadLibraryW(argv[1]);
  if (library == nullptr) {
    std::printf("not loaded (error %lu)\n", ::GetLastError());
    return 1;
  }
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(library, path, MAX_PATH);
  std::printf("%ls\n", path);
  return 0;
}
