#include "ToolOptions.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One option of the command line: what it takes, and how its value is checked
// and stored.
struct OptionRule {
  const char* name;
  const char* typeName;
  const char* description;
  std::string allowed;
  bool required;
  std::function<void(ToolOptions&, const OptionRule&, const std::string& value)> store;
};

[[noreturn]] void Refuse(const OptionRule& rule, const std::string& text) {
  throw CLI::ValidationError(rule.name, "'" + text + "' is not allowed; " + rule.allowed);
}

// Digits only: no sign, fraction, exponent or unit, so "30mm", "1e3" and
// "0.5" are refused rather than read as something else.
int32_t WholeMillimetres(const OptionRule& rule, const std::string& text) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit)) Refuse(rule, text);
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || ptr != end || value < 1) Refuse(rule, text);
  return value;
}

// Plain decimals such as 300 or 0.1, read with correct rounding on both builds.
double PositiveMillimetres(const OptionRule& rule, const std::string& text) {
  const size_t point = text.find('.');
  const std::string whole = text.substr(0, point);
  const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
  const bool digitsOnly = std::all_of(whole.begin(), whole.end(), IsDigit) && std::all_of(fraction.begin(), fraction.end(), IsDigit);
  if (!digitsOnly || (whole.empty() && fraction.empty())) Refuse(rule, text);
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
  if (error != std::errc() || ptr != end || !(value > 0) || !std::isfinite(value)) Refuse(rule, text);
  return value;
}

template <typename T>
T OneOf(const OptionRule& rule, const std::string& text, const std::map<std::string, T>& choices) {
  const auto found = choices.find(text);
  if (found == choices.end()) Refuse(rule, text);
  return found->second;
}

const std::map<std::string, RenderMode> kSteps = {
    {"1", RenderEveryFrame}, {"2", RenderEvery2ndFrame}, {"4", RenderEvery4thFrame}, {"8", RenderEvery8thFrame}};
const std::map<std::string, Framing> kFramings = {{"wide", Framing::Wide}, {"recentred", Framing::Recentred}};
const std::map<std::string, SetupFormat> kFormats = {
    {"text", SetupFormat::Text}, {"json", SetupFormat::Json}, {"csv", SetupFormat::Csv}, {"blender", SetupFormat::Blender}};

const char* kFooter =
    "Exit codes: 0 written; 2 bad usage or a bad value, nothing written; 1 the output cannot be written, "
    "an existing file left as it was.";

const std::string kWholeMm = "give a whole number of millimetres from 1 to 2147483647";
const std::string kPositiveMm = "give a positive number of millimetres such as 300 or 0.1";

const std::vector<OptionRule>& OptionRules() {
  static const std::vector<OptionRule> rules = {
      {"--width", "MM", "hologram width, whole millimetres", kWholeMm, true,
       [](ToolOptions& o, const OptionRule& s, const std::string& v) { o.setup.nWidthMm = WholeMillimetres(s, v); }},
      {"--height", "MM", "hologram height, whole millimetres", kWholeMm, true,
       [](ToolOptions& o, const OptionRule& s, const std::string& v) { o.setup.nHeightMm = WholeMillimetres(s, v); }},
      {"--step", "1|2|4|8", "render every frame, every 2nd, 4th or 8th (default 1)", "use 1, 2, 4 or 8", false,
       [](ToolOptions& o, const OptionRule& s, const std::string& v) { o.setup.nMode = OneOf(s, v, kSteps); }},
      {"--framing", "wide|recentred", "wide: the calculator's images; recentred: only the hologram (default wide)",
       "use wide or recentred", false,
       [](ToolOptions& o, const OptionRule& s, const std::string& v) { o.eFraming = OneOf(s, v, kFramings); }},
      {"--format", "text|json|csv|blender", "what to write (default text)", "use text, json, csv or blender", false,
       [](ToolOptions& o, const OptionRule& s, const std::string& v) {
         o.eFormat = OneOf(s, v, kFormats);
       }},
      {"--output", "FILE", "write here instead of to standard output", "give a file name", false,
       [](ToolOptions& o, const OptionRule& s, const std::string& v) {
         if (v.empty()) Refuse(s, v);
         o.strOutput = v;
       }},
      {"--distance", "MM", "camera distance from the image plane (default 300)", kPositiveMm, false,
       [](ToolOptions& o, const OptionRule& s, const std::string& v) {
         o.setup.dCameraDistanceMm = PositiveMillimetres(s, v);
       }},
      {"--track", "MM", "camera track length (default 200)", kPositiveMm, false,
       [](ToolOptions& o, const OptionRule& s, const std::string& v) { o.setup.dTrackLengthMm = PositiveMillimetres(s, v); }},
      {"--pitch", "MM", "one rendered pixel on the image plane (default 0.1)", kPositiveMm, false,
       [](ToolOptions& o, const OptionRule& s, const std::string& v) { o.setup.dPixelPitchMm = PositiveMillimetres(s, v); }},
  };
  return rules;
}

// Each option is taken once, with one value; a repeat is refused rather than
// one of the values silently winning.
void DefineOptions(CLI::App& app, ToolOptions& options) {
  for (const OptionRule& rule : OptionRules()) {
    auto store = [&options, &rule](const std::vector<std::string>& values) {
      if (values.size() > 1) throw CLI::ValidationError(rule.name, "given " + std::to_string(values.size()) + " times; give it once");
      rule.store(options, rule, values.front());
    };
    CLI::Option* option = app.add_option_function<std::vector<std::string>>(rule.name, store, rule.description)
                              ->type_name(rule.typeName)
                              ->expected(1)
                              ->allow_extra_args(false)
                              ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    if (rule.required) option->required();
  }
}

// CLI11's own messages (a missing option or value) name the option; the
// user also learns what it takes. The checks above say that themselves.
std::string UsageMessage(const CLI::ParseError& error) {
  std::string message = error.what();
  if (dynamic_cast<const CLI::ValidationError*>(&error)) return message;
  std::replace(message.begin(), message.end(), '\n', ' ');
  for (const OptionRule& rule : OptionRules()) {
    const std::string name = rule.name;
    const bool aboutThis = message.compare(0, name.size() + 1, name + ":") == 0 || message.compare(0, name.size() + 1, name + " ") == 0;
    if (aboutThis && message.find(rule.allowed) == std::string::npos) return message + "; " + rule.allowed;
  }
  return message + "; see --help";
}

}  // namespace

ParsedCommandLine ParseToolOptions(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  CLI::App app("The camera rig, lens and render budget for a hologram's image sequence.", "vantorel-setup");
  app.footer(kFooter);
  app.set_version_flag("--version", "vantorel-setup " VANTOREL_VERSION);
  DefineOptions(app, parsed.options);
  // CLI11 reads the arguments from the back; args[0] is the program.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  if (!reversed.empty()) reversed.pop_back();
  try {
    app.parse(reversed);
    parsed.bRun = true;
  } catch (const CLI::CallForHelp&) {
    parsed.strOut = app.help();
  } catch (const CLI::CallForVersion& e) {
    parsed.strOut = std::string(e.what()) + "\n";
  } catch (const CLI::ParseError& e) {
    parsed.nExitCode = 2;
    parsed.strError = "vantorel-setup: " + UsageMessage(e) + "\n";
  }
  return parsed;
}
