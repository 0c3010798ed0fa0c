// vantorel-setup: the render setup for a hologram as text, JSON, CSV or a
// Blender script, for scripts and render farms.

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "RenderedSize.h"
#include "ToolOptions.h"
#include "Utf.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

void Print(std::FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

// Binary on Windows too: the same bytes as a file, "\n" line ends included.
bool WriteStandardOutput(const std::string& bytes) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
}

int Run(const std::vector<std::string>& args) {
  const ParsedCommandLine parsed = ParseToolOptions(args);
  Print(stdout, parsed.strOut);
  Print(stderr, parsed.strError);
  if (!parsed.bRun) return parsed.nExitCode;

  const ToolOptions& options = parsed.options;
  std::string bytes;
  try {
    const RenderRig rig = MakeRenderRig(options.setup, options.eFraming);
    bytes = FormatSetup(rig, options.eFormat);
    for (const std::string& note : RenderedSizeNotes(rig)) Print(stderr, "vantorel-setup: note: " + note + "\n");
  } catch (const RigError& e) {
    Print(stderr, std::string("vantorel-setup: ") + e.what() + "\n");
    return 2;
  }
  if (options.strOutput.empty() || options.strOutput == "-") {
    if (WriteStandardOutput(bytes)) return 0;
    Print(stderr, "vantorel-setup: cannot write standard output\n");
    return 1;
  }
  std::string reason;
  if (WriteFileAtomically(PathFromUtf8(options.strOutput), bytes, &reason)) return 0;
  Print(stderr, "vantorel-setup: cannot write " + options.strOutput + ": " + reason + "\n");
  return 1;
}

int RunGuarded(const std::vector<std::string>& args) {
  try {
    return Run(args);
  } catch (const std::bad_alloc&) {
    Print(stderr, "vantorel-setup: not enough memory to build the output; choose a coarser pitch or a larger step\n");
  } catch (const std::exception& e) {
    Print(stderr, std::string("vantorel-setup: ") + e.what() + "\n");
  }
  return 1;
}

}  // namespace

#ifdef _WIN32
// The arguments as the system holds them, UTF-16, so that any file name works.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) args.push_back(Utf8(std::wstring_view(argv[i])));
  return RunGuarded(args);
}
#else
int main(int argc, char** argv) { return RunGuarded(std::vector<std::string>(argv, argv + argc)); }
#endif
