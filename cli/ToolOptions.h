#pragma once
// What the command line of vantorel-setup asks for, read strictly: a value
// the tool would have to guess at is refused with a message that names the
// argument and what it accepts.

#include <string>
#include <vector>

#include "RenderRig.h"
#include "SetupFormats.h"

struct ToolOptions {
  RenderSetup setup;
  Framing eFraming = Framing::Wide;
  SetupFormat eFormat = SetupFormat::Text;
  std::string strOutput;  // UTF-8; empty for standard output
};

// The outcome of reading the command line: options to run with, or text to
// print and an exit code (help and version on standard output with 0, one
// line on standard error with 2 for bad usage).
struct ParsedCommandLine {
  ToolOptions options;
  bool bRun = false;
  int nExitCode = 0;
  std::string strOut;
  std::string strError;
};

// args[0] is the program's name; every argument is UTF-8.
ParsedCommandLine ParseToolOptions(const std::vector<std::string>& args);
