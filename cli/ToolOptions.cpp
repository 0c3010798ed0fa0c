#include "ToolOptions.h"

#include "FrameStep.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <optional>

#include "RenderedSize.h"

namespace {

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits only: no sign, fraction, exponent or unit, so "30mm", "1e3" and
// "0.5" are refused rather than read as something else, and "010" is ten
// (CLI11 would read octal). A number past 64 bits is held at the top: no rig
// takes it, and the size check names the largest one that does.
std::optional<int64_t> WholeNumber(std::string_view text) {
  if (text.empty() || !AllDigits(text)) return std::nullopt;
  int64_t value = 0;
  if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) {
    return std::numeric_limits<int64_t>::max();
  }
  if (value < 1) return std::nullopt;
  return value;
}

// Plain decimals such as 300 or 0.1, read with correct rounding on both builds.
std::optional<double> PositiveDecimal(std::string_view text) {
  const size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
  if (!AllDigits(whole) || !AllDigits(fraction) || (whole.empty() && fraction.empty())) return std::nullopt;
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
  if (error != std::errc() || ptr != end || !(value > 0) || !std::isfinite(value)) return std::nullopt;
  return value;
}

const std::map<std::string, RenderMode> kSteps = [] {
  std::map<std::string, RenderMode> steps;
  for (FrameStep step : FrameStep::All()) steps.emplace(std::to_string(step.Number()), step.Mode());
  return steps;
}();
const std::map<std::string, Framing> kFramings = {
    {"wide", Framing::Wide}, {"recentred", Framing::Recentred}, {"recentered", Framing::Recentred}};
const std::map<std::string, SetupFormat> kFormats = {
    {"text", SetupFormat::Text}, {"json", SetupFormat::Json}, {"csv", SetupFormat::Csv}, {"blender", SetupFormat::Blender}};

const char* kFooter =
    "Exit codes: 0 written; 2 bad usage or a bad value, nothing written; 1 the output cannot be written, "
    "an existing file left as it was.";
const char* kWholeMm = "give a whole number of millimetres from 1, such as 30";
const char* kPositiveMm = "give a positive number of millimetres such as 300 or 0.1";
const char* kSize = "give the hologram's size in whole millimetres, such as --width 30 --height 20";

// What the command line sets while CLI11 reads it. CLI11 only reports that a
// check failed; the check keeps our own words for the user in strRefusal.
struct Reading {
  ToolOptions options;
  std::string strWidthMm;  // as typed, for the size check's message
  std::string strHeightMm;
  std::string strRefusal;
};

CLI::Validator Accepting(Reading& reading, const std::string& option, const std::string& allowed,
                         std::function<bool(const std::string&)> accepts) {
  return CLI::Validator(
      [&reading, option, allowed, accepts](std::string& value) {
        if (accepts(value)) return std::string();
        reading.strRefusal = option + ": '" + value + "' is not allowed; " + allowed;
        return reading.strRefusal;
      },
      "");
}

void AddWholeMm(CLI::App& app, Reading& reading, const char* name, const std::string& description, std::string& mm) {
  app.add_option(name, mm, description)
      ->type_name("MM")
      ->required()
      ->check(Accepting(reading, name, kWholeMm, [](const std::string& text) { return WholeNumber(text).has_value(); }));
}

void AddPositiveMm(CLI::App& app, Reading& reading, const char* name, const char* description, double& mm) {
  app.add_option_function<std::string>(name, [&mm](const std::string& text) { mm = *PositiveDecimal(text); }, description)
      ->type_name("MM")
      ->check(Accepting(reading, name, kPositiveMm, [](const std::string& text) { return PositiveDecimal(text).has_value(); }));
}

// One name from a table, which CheckedTransformer turns into its value. The
// names alone are checked first (transform() puts a check in front), as
// CheckedTransformer also takes a value's own number: "--step 3" would be
// every 8th frame.
template <class T>
void AddChoice(CLI::App& app, Reading& reading, const char* name, const char* names, const char* description,
               const std::map<std::string, T>& table, T& value, const char* allowed) {
  app.add_option(name, value, description)
      ->type_name(names)
      ->transform(CLI::CheckedTransformer(table).description(""))
      ->transform(Accepting(reading, name, allowed,
                            [isName = CLI::IsMember(table)](const std::string& text) { return isName(text).empty(); }));
}

void DefineOptions(CLI::App& app, Reading& reading) {
  // Each option is taken once: a repeat is refused rather than one of the values silently winning.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::Throw);
  const std::string atDefaults = " at the default pitch and track";
  AddWholeMm(app, reading, "--width",
             "the hologram's width in whole millimetres, at most " + std::to_string(LargestWidthMm(RenderSetup())) + atDefaults,
             reading.strWidthMm);
  AddWholeMm(app, reading, "--height",
             "the hologram's height in whole millimetres, at most " + std::to_string(LargestHeightMm(RenderSetup())) + atDefaults,
             reading.strHeightMm);
  ToolOptions& o = reading.options;
  AddChoice(app, reading, "--step", "1|2|4|8", "render every frame, every 2nd, 4th or 8th (default 1)", kSteps, o.setup.nMode,
            "use 1, 2, 4 or 8");
  AddChoice(app, reading, "--framing", "wide|recentred",
            "wide: the calculator's images; recentred (or recentered): only the hologram (default wide)", kFramings, o.eFraming,
            "use wide or recentred");
  AddChoice(app, reading, "--format", "text|json|csv|blender", "what to write (default text)", kFormats, o.eFormat,
            "use text, json, csv or blender");
  app.add_option("--output", o.strOutput, "write here instead of to standard output")
      ->type_name("FILE")
      ->check(Accepting(reading, "--output", "give a file name", [](const std::string& text) { return !text.empty(); }));
  AddPositiveMm(app, reading, "--distance", "camera distance from the image plane (default 300)", o.setup.dCameraDistanceMm);
  AddPositiveMm(app, reading, "--track", "camera track length (default 200)", o.setup.dTrackLengthMm);
  AddPositiveMm(app, reading, "--pitch", "one rendered pixel on the image plane (default 0.1)", o.setup.dPixelPitchMm);
}

std::string Joined(const std::vector<std::string>& words, const char* between) {
  std::string joined;
  for (const std::string& word : words) joined += (joined.empty() ? "" : between) + word;
  return joined;
}

// An option without its value is the last argument: any argument after it
// would have been taken as the value.
std::string MissingValue(const CLI::App& app, const std::vector<std::string>& args) {
  const std::string last = args.back().substr(0, args.back().find('='));
  const CLI::Option* option = app.get_option_no_throw(last);
  if (option == nullptr) return "an option needs a value; see --help";
  return option->get_name() + " needs a value: " + option->get_description();
}

// Our one line for an error CLI11 found, from the kind of error and what the
// app knows after it, never from CLI11's own text.
std::string UsageMessage(const CLI::ParseError& error, const CLI::App& app, const std::vector<std::string>& args,
                         const Reading& reading) {
  if (dynamic_cast<const CLI::ValidationError*>(&error) && !reading.strRefusal.empty()) return reading.strRefusal;
  if (dynamic_cast<const CLI::RequiredError*>(&error)) {
    std::vector<std::string> missing;
    for (const CLI::Option* option : app.get_options()) {
      if (option->get_required() && option->count() == 0) missing.push_back(option->get_name());
    }
    return "missing " + Joined(missing, " and ") + ": " + kSize;
  }
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
    for (const CLI::Option* option : app.get_options()) {
      if (option->count() > 1) return option->get_name() + " given " + std::to_string(option->count()) + " times; give it once";
    }
    return MissingValue(app, args);
  }
  if (dynamic_cast<const CLI::ExtrasError*>(&error)) return "unexpected argument " + Joined(app.remaining(), " ") + "; see --help";
  return "the command line cannot be read; see --help";
}

// A size that reads well but whose pixel count passes 32 bits: the message
// gives the largest the rig takes at this pitch and track.
std::string Oversize(const char* option, const std::string& mm, int32_t largest, const std::string& rig) {
  if (largest == 0 || *WholeNumber(mm) <= largest) return "";
  return std::string(option) + ": " + mm + " mm is too large; at " + rig + " the largest is " +
         std::to_string(largest) + " mm";
}

std::string SizeRefusal(const Reading& reading) {
  const RenderSetup& setup = reading.options.setup;
  const std::string pitch = Decimal(setup.dPixelPitchMm) + " mm per pixel";
  const std::string width = Oversize("--width", reading.strWidthMm, LargestWidthMm(setup),
                                     pitch + " with a " + Decimal(setup.dTrackLengthMm) + " mm track");
  return width.empty() ? Oversize("--height", reading.strHeightMm, LargestHeightMm(setup), pitch) : width;
}

// Past 32 bits only where not even 1 mm fits: the rig then says why.
int32_t Millimetres(const std::string& text) {
  return static_cast<int32_t>(std::min<int64_t>(*WholeNumber(text), std::numeric_limits<int32_t>::max()));
}

}  // namespace

ParsedCommandLine ParseToolOptions(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  Reading reading;
  CLI::App app("The camera rig, lens and render budget for a hologram's image sequence.", "vantorel-setup");
  app.footer(kFooter);
  app.set_version_flag("--version", "vantorel-setup " VANTOREL_VERSION);
  DefineOptions(app, reading);
  // CLI11 reads the arguments from the back; args[0] is the program.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  if (!reversed.empty()) reversed.pop_back();
  std::string refusal;
  try {
    app.parse(reversed);
    refusal = SizeRefusal(reading);
  } catch (const CLI::CallForHelp&) {
    parsed.strOut = app.help();
    return parsed;
  } catch (const CLI::CallForVersion& e) {
    parsed.strOut = std::string(e.what()) + "\n";
    return parsed;
  } catch (const CLI::ParseError& e) {
    refusal = UsageMessage(e, app, args, reading);
  }
  if (!refusal.empty()) {
    parsed.nExitCode = 2;
    parsed.strError = "vantorel-setup: " + refusal + "\n";
    return parsed;
  }
  parsed.options = reading.options;
  parsed.options.setup.nWidthMm = Millimetres(reading.strWidthMm);
  parsed.options.setup.nHeightMm = Millimetres(reading.strHeightMm);
  parsed.bRun = true;
  return parsed;
}
