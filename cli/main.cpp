// vantorel-setup: the render setup for a hologram as text, JSON, CSV or a
// Blender script, for scripts and render farms.

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "RenderedSize.h"
#include "ToolOptions.h"
#include "ToolOutput.h"

namespace {

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
  std::string reason;
  if (WriteToolOutput(options.strOutput, bytes, &reason)) return 0;
  Print(stderr, "vantorel-setup: " + reason + "\n");
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
int wmain(int argc, wchar_t** argv) { return RunGuarded(Utf8Arguments(argc, argv)); }
#else
int main(int argc, char** argv) { return RunGuarded(std::vector<std::string>(argv, argv + argc)); }
#endif
