#pragma once
// The rig's options, which vantorel-setup and vantorel-check both take: the
// same names, read as strictly, refused in the same words.

#include <CLI/CLI.hpp>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "RenderRig.h"

// What the rig's options set while CLI11 reads them. CLI11 only reports that
// a check failed; the check keeps our own words for the user in strRefusal.
struct RigReading {
  RenderSetup setup;  // the size is set by SettleSize
  Framing eFraming = Framing::Wide;
  std::string strWidthMm;  // as typed, for the size check's message
  std::string strHeightMm;
  std::string strRefusal;
};

// A check that keeps its refusal, "OPTION: 'VALUE' is not allowed; ALLOWED".
CLI::Validator Accepting(std::string& refusal, const std::string& option, const std::string& allowed,
                         std::function<bool(const std::string&)> accepts);

// One name from a table, which CheckedTransformer turns into its value. The
// names alone are checked first (transform() puts a check in front), as
// CheckedTransformer also takes a value's own number: "--step 3" would be
// every 8th frame.
template <class T>
CLI::Option* AddChoice(CLI::App& app, std::string& refusal, const char* name, const char* names, const std::string& description,
                       const std::map<std::string, T>& table, T& value, const char* allowed) {
  return app.add_option(name, value, description)
      ->type_name(names)
      ->multi_option_policy(CLI::MultiOptionPolicy::Throw)
      ->transform(CLI::CheckedTransformer(table).description(""))
      ->transform(Accepting(refusal, name, allowed,
                            [isName = CLI::IsMember(table)](const std::string& text) { return isName(text).empty(); }));
}

// --width, --height, --step and --framing; then --distance, --track and
// --pitch: two calls, so that a tool may list its own options between them.
std::vector<CLI::Option*> AddRigSize(CLI::App& app, RigReading& reading, const std::string& framingDescription);
std::vector<CLI::Option*> AddRigCamera(CLI::App& app, RigReading& reading);

// Once both sizes are read: sets them in reading.setup and returns "", or
// returns why a size is too large for the rig (its pixel count past 32 bits).
std::string SettleSize(RigReading& reading);
