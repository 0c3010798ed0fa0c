#pragma once
// What the command line of vantorel-check asks for, read strictly: a value
// the tool would have to guess at is refused with one line that names the
// argument and what it accepts.

#include <string>
#include <vector>

#include "SequenceCheck.h"

struct CheckOptions {
  CheckRequest request;
  std::string strSetupFile;  // UTF-8; empty when the rig comes from options
  bool bStrict = false;
  bool bJson = false;
  std::string strOutput;   // UTF-8; empty for standard output
  std::string strPicture;  // UTF-8; empty for no picture
};

// Options to run with, or text to print and an exit code (help and version
// on standard output with 0, one line on standard error with 2).
struct ParsedCheckLine {
  CheckOptions options;
  bool bRun = false;
  int nExitCode = 0;
  std::string strOut;
  std::string strError;
};

// args[0] is the program's name; every argument is UTF-8.
ParsedCheckLine ParseCheckOptions(const std::vector<std::string>& args);
