#include "CheckOptions.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <thread>

#include "RigOptions.h"
#include "Utf.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits only, so "30mm", "1e3", "-1" and "0.5" are refused rather than read
// as something else. Empty when the value is no whole number from min up.
std::string WholeNumber(const std::string& text, int32_t min, int32_t* pValue) {
  const char* end = text.data() + text.size();
  const bool digits = !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
  const auto [ptr, error] = std::from_chars(text.data(), end, *pValue);
  if (!digits || error != std::errc() || ptr != end || *pValue < min) {
    return "'" + text + "' is not allowed; give a whole number from " + std::to_string(min) + " to 2147483647";
  }
  return "";
}

// One option that takes one value, checked by `read`, which returns the
// refusal or an empty string.
template <typename Read>
CLI::Option* AddValue(CLI::App& app, const char* name, const char* type, const char* description, Read read) {
  return app
      .add_option_function<std::string>(
          name,
          [name, read](const std::string& value) {
            const std::string refusal = read(value);
            if (!refusal.empty()) throw CLI::ValidationError(name, refusal);
          },
          description)
      ->type_name(type)
      ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
}

const char* kFooter =
    "Exit codes: 0 every frame sound (suspects listed); 1 a frame missing, unreadable or the wrong size, or "
    "with --strict a suspect; 2 the check could not be made or its report not written.";

}  // namespace

ParsedCheckLine ParseCheckOptions(const std::vector<std::string>& args) {
  ParsedCheckLine parsed;
  CheckOptions& o = parsed.options;
  o.request.nJobs = static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()));
  RigReading rig;

  CLI::App app("Checks a rendered image sequence against the rig it was rendered with.", "vantorel-check");
  app.footer(kFooter);
  app.set_version_flag("--version", "vantorel-check " VANTOREL_VERSION);
  app.add_option_function<std::string>("folder", [&o](const std::string& v) { o.request.folder = PathFromUtf8(v); },
                                       "the folder of rendered frames")
      ->type_name("FOLDER")
      ->required();

  CLI::Option* setupFile = AddValue(app, "--setup", "FILE", "the rig from vantorel-setup's JSON", [&o](const std::string& v) {
    o.strSetupFile = v;
    return v.empty() ? std::string("give a file name") : std::string();
  });
  std::vector<CLI::Option*> rigOptions =
      AddRigSize(app, rig, "the rig's framing (default: the one the first readable frame's size has)");
  for (CLI::Option* option : AddRigCamera(app, rig)) rigOptions.push_back(option);
  for (CLI::Option* option : rigOptions) setupFile->excludes(option);
  AddValue(app, "--pattern", "P", "the sequence's names, one '#' per digit, such as 'frame_####.png'", [&o](const std::string& v) {
    o.request.pattern = FramePattern::Parse(v);
    return o.request.pattern ? std::string() : "'" + v + "' is not allowed; give a name with one run of '#' for the frame number, such as 'frame_####.png'";
  });
  AddValue(app, "--first", "K", "the number in the name of the rig's frame 1 (default 1)",
           [&o](const std::string& v) { return WholeNumber(v, 0, &o.request.nFirstFrame); });
  app.add_flag("--strict", o.bStrict, "a suspect frame fails the check too");
  AddValue(app, "--format", "text|json", "the report's form (default text)", [&o](const std::string& v) {
    if (v == "text" || v == "json") return (o.bJson = v == "json", std::string());
    return "'" + v + "' is not allowed; use text or json";
  });
  AddValue(app, "--output", "FILE", "write the report here instead of to standard output", [&o](const std::string& v) {
    o.strOutput = v;
    return v.empty() ? std::string("give a file name") : std::string();
  });
  AddValue(app, "--picture", "FILE.png", "also draw the report as a picture", [&o](const std::string& v) {
    o.strPicture = v;
    return v.empty() ? std::string("give a file name") : std::string();
  });
  AddValue(app, "--jobs", "N", "frames judged at once (default: the computer's threads)",
           [&o](const std::string& v) { return WholeNumber(v, 1, &o.request.nJobs); });

  // CLI11 reads the arguments from the back; args[0] is the program.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  if (!reversed.empty()) reversed.pop_back();
  try {
    app.parse(reversed);
    if (o.strSetupFile.empty()) {
      if (rig.strWidthMm.empty() || rig.strHeightMm.empty()) {
        throw CLI::RequiredError("give the rig with --setup FILE, or with --width and --height");
      }
      const std::string refusal = SettleSize(rig);
      if (!refusal.empty()) throw CLI::ValidationError(refusal);
      o.request.setup = rig.setup;
      if (app.get_option("--framing")->count() > 0) o.request.framing = rig.eFraming;
    }
    parsed.bRun = true;
  } catch (const CLI::CallForHelp&) {
    parsed.strOut = app.help();
  } catch (const CLI::CallForVersion& e) {
    parsed.strOut = std::string(e.what()) + "\n";
  } catch (const CLI::ParseError& e) {
    // A rig option's refusal in vantorel-setup's words; CLI11's own for the rest.
    std::string message = dynamic_cast<const CLI::ValidationError*>(&e) && !rig.strRefusal.empty() ? rig.strRefusal : e.what();
    std::replace(message.begin(), message.end(), '\n', ' ');
    parsed.nExitCode = 2;
    parsed.strError = "vantorel-check: " + message + "\n";
  }
  return parsed;
}
