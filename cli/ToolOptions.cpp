#include "ToolOptions.h"

#include <CLI/CLI.hpp>
#include <map>

#include "RigOptions.h"

namespace {

const std::map<std::string, SetupFormat> kFormats = {
    {"text", SetupFormat::Text}, {"json", SetupFormat::Json}, {"csv", SetupFormat::Csv}, {"blender", SetupFormat::Blender}};

const char* kFooter =
    "Exit codes: 0 written; 2 bad usage or a bad value, nothing written; 1 the output cannot be written, "
    "an existing file left as it was.";
const char* kSize = "give the hologram's size in whole millimetres, such as --width 30 --height 20";

// What the command line sets while CLI11 reads it; the rig's refusals hold
// the tool's own ones too.
struct Reading {
  RigReading rig;
  ToolOptions options;
};

void DefineOptions(CLI::App& app, Reading& reading) {
  // Each option is taken once: a repeat is refused rather than one of the values silently winning.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::Throw);
  std::string& refusal = reading.rig.strRefusal;
  AddRigSize(app, reading.rig, "wide: the calculator's images; recentred (or recentered): only the hologram (default wide)");
  for (const char* name : {"--width", "--height"}) app.get_option(name)->required();
  ToolOptions& o = reading.options;
  AddChoice(app, refusal, "--format", "text|json|csv|blender", "what to write (default text)", kFormats, o.eFormat,
            "use text, json, csv or blender");
  app.add_option("--output", o.strOutput, "write here instead of to standard output")
      ->type_name("FILE")
      ->check(Accepting(refusal, "--output", "give a file name", [](const std::string& text) { return !text.empty(); }));
  AddRigCamera(app, reading.rig);
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
  if (dynamic_cast<const CLI::ValidationError*>(&error) && !reading.rig.strRefusal.empty()) return reading.rig.strRefusal;
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
    refusal = SettleSize(reading.rig);
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
  parsed.options.setup = reading.rig.setup;
  parsed.options.eFraming = reading.rig.eFraming;
  parsed.bRun = true;
  return parsed;
}
