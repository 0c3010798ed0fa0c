// vantorel-check: checks a rendered image sequence against its rig and says
// exactly which frames to render again.

#include <cstdio>
#include <fstream>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "CheckOptions.h"
#include "ReportPicture.h"
#include "SetupFile.h"
#include "ToolOutput.h"
#include "Utf.h"

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

void WriteOut(const std::string& target, const std::string& bytes) {
  std::string reason;
  if (!WriteToolOutput(target, bytes, &reason)) throw Stop(reason);
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
int wmain(int argc, wchar_t** argv) { return RunGuarded(Utf8Arguments(argc, argv)); }
#else
int main(int argc, char** argv) { return RunGuarded(std::vector<std::string>(argv, argv + argc)); }
#endif
