#include "CheckOptions.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <thread>

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

std::string PositiveMm(const std::string& text, double* pValue) {
  const bool plain = !text.empty() && text != "." && std::count(text.begin(), text.end(), '.') <= 1 &&
                     std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || c == '.'; });
  const char* end = text.data() + text.size();
  const auto [ptr, error] = plain ? std::from_chars(text.data(), end, *pValue, std::chars_format::fixed)
                                  : std::from_chars_result{text.data(), std::errc::invalid_argument};
  if (error != std::errc() || ptr != end || !(*pValue > 0) || !std::isfinite(*pValue)) {
    return "'" + text + "' is not allowed; give a positive number of millimetres such as 300 or 0.1";
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
  RenderSetup& setup = o.request.setup;
  o.request.nJobs = static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()));

  CLI::App app("Checks a rendered image sequence against the rig it was rendered with.", "vantorel-check");
  app.footer(kFooter);
  app.set_version_flag("--version", "vantorel-check " VANTOREL_VERSION);
  app.add_option_function<std::string>("folder", [&o](const std::string& v) { o.request.folder = std::filesystem::path(std::u8string(v.begin(), v.end())); },
                                       "the folder of rendered frames")
      ->type_name("FOLDER")
      ->required();

  CLI::Option* setupFile = AddValue(app, "--setup", "FILE", "the rig from vantorel-setup's JSON", [&o](const std::string& v) {
    o.strSetupFile = v;
    return v.empty() ? std::string("give a file name") : std::string();
  });
  const auto whole = [](int32_t* target) { return [target](const std::string& v) { return WholeNumber(v, 1, target); }; };
  const auto mm = [](double* target) { return [target](const std::string& v) { return PositiveMm(v, target); }; };
  std::vector<CLI::Option*> rigOptions = {
      AddValue(app, "--width", "MM", "hologram width, whole millimetres", whole(&setup.nWidthMm)),
      AddValue(app, "--height", "MM", "hologram height, whole millimetres", whole(&setup.nHeightMm)),
      AddValue(app, "--step", "1|2|4|8", "every frame, every 2nd, 4th or 8th (default 1)",
               [&setup](const std::string& v) {
                 const std::vector<std::pair<std::string, RenderMode>> steps = {
                     {"1", RenderEveryFrame}, {"2", RenderEvery2ndFrame}, {"4", RenderEvery4thFrame}, {"8", RenderEvery8thFrame}};
                 for (const auto& [text, mode] : steps) {
                   if (v == text) return (setup.nMode = mode, std::string());
                 }
                 return "'" + v + "' is not allowed; use 1, 2, 4 or 8";
               }),
      AddValue(app, "--distance", "MM", "camera distance from the image plane (default 300)", mm(&setup.dCameraDistanceMm)),
      AddValue(app, "--track", "MM", "camera track length (default 200)", mm(&setup.dTrackLengthMm)),
      AddValue(app, "--pitch", "MM", "one rendered pixel on the image plane (default 0.1)", mm(&setup.dPixelPitchMm)),
      AddValue(app, "--framing", "wide|recentred", "the rig's framing (default: the one the first readable frame's size has)",
               [&o](const std::string& v) {
                 if (v == "wide" || v == "recentred") return (o.request.framing = v == "wide" ? Framing::Wide : Framing::Recentred, std::string());
                 return "'" + v + "' is not allowed; use wide or recentred";
               }),
  };
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
    if (o.strSetupFile.empty() && (setup.nWidthMm == 0 || setup.nHeightMm == 0)) {
      throw CLI::RequiredError("give the rig with --setup FILE, or with --width and --height");
    }
    parsed.bRun = true;
  } catch (const CLI::CallForHelp&) {
    parsed.strOut = app.help();
  } catch (const CLI::CallForVersion& e) {
    parsed.strOut = std::string(e.what()) + "\n";
  } catch (const CLI::ParseError& e) {
    std::string message = e.what();
    std::replace(message.begin(), message.end(), '\n', ' ');
    parsed.nExitCode = 2;
    parsed.strError = "vantorel-check: " + message + "\n";
  }
  return parsed;
}
