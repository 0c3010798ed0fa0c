#include "RigOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "FrameStep.h"
#include "RenderedSize.h"
#include "SetupFormats.h"

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

const char* kWholeMm = "give a whole number of millimetres from 1, such as 30";
const char* kPositiveMm = "give a positive number of millimetres such as 300 or 0.1";

CLI::Option* AddWholeMm(CLI::App& app, RigReading& reading, const char* name, const std::string& description, std::string& mm) {
  return app.add_option(name, mm, description)
      ->type_name("MM")
      ->multi_option_policy(CLI::MultiOptionPolicy::Throw)
      ->check(Accepting(reading.strRefusal, name, kWholeMm, [](const std::string& text) { return WholeNumber(text).has_value(); }));
}

CLI::Option* AddPositiveMm(CLI::App& app, RigReading& reading, const char* name, const char* description, double& mm) {
  return app.add_option_function<std::string>(name, [&mm](const std::string& text) { mm = *PositiveDecimal(text); }, description)
      ->type_name("MM")
      ->multi_option_policy(CLI::MultiOptionPolicy::Throw)
      ->check(Accepting(reading.strRefusal, name, kPositiveMm,
                        [](const std::string& text) { return PositiveDecimal(text).has_value(); }));
}

// A size that reads well but whose pixel count passes 32 bits: the message
// gives the largest the rig takes at this pitch and track.
std::string Oversize(const char* option, const std::string& mm, int32_t largest, const std::string& rig) {
  if (largest == 0 || *WholeNumber(mm) <= largest) return "";
  return std::string(option) + ": " + mm + " mm is too large; at " + rig + " the largest is " +
         std::to_string(largest) + " mm";
}

// Past 32 bits only where not even 1 mm fits: the rig then says why.
int32_t Millimetres(const std::string& text) {
  return static_cast<int32_t>(std::min<int64_t>(*WholeNumber(text), std::numeric_limits<int32_t>::max()));
}

}  // namespace

CLI::Validator Accepting(std::string& refusal, const std::string& option, const std::string& allowed,
                         std::function<bool(const std::string&)> accepts) {
  return CLI::Validator(
      [&refusal, option, allowed, accepts](std::string& value) {
        if (accepts(value)) return std::string();
        refusal = option + ": '" + value + "' is not allowed; " + allowed;
        return refusal;
      },
      "");
}

std::vector<CLI::Option*> AddRigSize(CLI::App& app, RigReading& reading, const std::string& framingDescription) {
  const std::string atDefaults = " at the default pitch and track";
  return {
      AddWholeMm(app, reading, "--width",
                 "the hologram's width in whole millimetres, at most " + std::to_string(LargestWidthMm(RenderSetup())) + atDefaults,
                 reading.strWidthMm),
      AddWholeMm(app, reading, "--height",
                 "the hologram's height in whole millimetres, at most " + std::to_string(LargestHeightMm(RenderSetup())) + atDefaults,
                 reading.strHeightMm),
      AddChoice(app, reading.strRefusal, "--step", "1|2|4|8", "render every frame, every 2nd, 4th or 8th (default 1)", kSteps,
                reading.setup.nMode, "use 1, 2, 4 or 8"),
      AddChoice(app, reading.strRefusal, "--framing", "wide|recentred", framingDescription, FramingsByName(), reading.eFraming,
                "use wide or recentred"),
  };
}

std::vector<CLI::Option*> AddRigCamera(CLI::App& app, RigReading& reading) {
  RenderSetup& setup = reading.setup;
  return {
      AddPositiveMm(app, reading, "--distance", "camera distance from the image plane (default 300)", setup.dCameraDistanceMm),
      AddPositiveMm(app, reading, "--track", "camera track length (default 200)", setup.dTrackLengthMm),
      AddPositiveMm(app, reading, "--pitch", "one rendered pixel on the image plane (default 0.1)", setup.dPixelPitchMm),
  };
}

std::string SettleSize(RigReading& reading) {
  RenderSetup& setup = reading.setup;
  const std::string pitch = Decimal(setup.dPixelPitchMm) + " mm per pixel";
  std::string refusal = Oversize("--width", reading.strWidthMm, LargestWidthMm(setup),
                                 pitch + " with a " + Decimal(setup.dTrackLengthMm) + " mm track");
  if (refusal.empty()) refusal = Oversize("--height", reading.strHeightMm, LargestHeightMm(setup), pitch);
  if (!refusal.empty()) return refusal;
  setup.nWidthMm = Millimetres(reading.strWidthMm);
  setup.nHeightMm = Millimetres(reading.strHeightMm);
  return "";
}
