// vantorel-check: checks a rendered image sequence against its rig and says
// exactly which frames to render again.

#include <cstdio>
#include <fstream>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "CheckOptions.h"
#include "ReportPicture.h"
#include "SetupFile.h"
#include "Utf.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// Exit codes.
constexpr int kSound = 0;
constexpr int kFramesBad = 1;
constexpr int kNotChecked = 2;

// The check could not be made or its report not written.
class Stop : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void Print(std::FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

void ReadSetupFile(CheckOptions* pOptions) {
  std::ifstream in(PathFromUtf8(pOptions->strSetupFile), std::ios::binary);
  std::ostringstream bytes;
  if (!in || !(bytes << in.rdbuf())) throw Stop("cannot read the setup file " + pOptions->strSetupFile);
  try {
    const SetupFromFile read = ReadSetupJson(bytes.str());
    pOptions->request.setup = read.setup;
    pOptions->request.framing = read.eFraming;
  } catch (const std::runtime_error& e) {
    throw Stop(pOptions->strSetupFile + ": " + e.what());
  }
}

// Binary on Windows too: the same bytes as a file, "\n" line ends included.
void WriteOut(const std::string& target, const std::string& bytes) {
  if (target.empty()) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0) {
      throw Stop("cannot write standard output");
    }
    return;
  }
  std::string reason;
  if (!WriteFileAtomically(PathFromUtf8(target), bytes, &reason)) throw Stop(reason);
}

int Run(const std::vector<std::string>& args) {
  ParsedCheckLine parsed = ParseCheckOptions(args);
  Print(stdout, parsed.strOut);
  Print(stderr, parsed.strError);
  if (!parsed.bRun) return parsed.nExitCode;

  CheckOptions& options = parsed.options;
  if (!options.strSetupFile.empty()) ReadSetupFile(&options);
  const CheckOutcome outcome = CheckSequence(options.request);
  const CheckReport& report = outcome.report;
  WriteOut(options.strOutput, options.bJson ? report.Json() : report.Text());
  if (!options.strPicture.empty()) {
    std::string png;
    std::string reason;
    if (!DrawReportPicture(outcome, &png, &reason)) throw Stop("cannot draw the picture: " + reason);
    WriteOut(options.strPicture, png);
  }
  if (report.FramesBad() > 0 || (options.bStrict && !report.Suspects().empty())) return kFramesBad;
  return kSound;
}

int RunGuarded(const std::vector<std::string>& args) {
  try {
    return Run(args);
  } catch (const std::bad_alloc&) {
    Print(stderr, "vantorel-check: not enough memory for the check\n");
  } catch (const std::exception& e) {
    Print(stderr, std::string("vantorel-check: ") + e.what() + "\n");
  }
  return kNotChecked;
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
