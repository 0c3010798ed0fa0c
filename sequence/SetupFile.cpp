#include "SetupFile.h"

#include <nlohmann/json.hpp>

#include "FrameStep.h"
#include "SetupFormats.h"

namespace {

const nlohmann::json& Key(const nlohmann::json& json, const char* key) {
  const auto found = json.find(key);
  if (found == json.end()) throw std::runtime_error(std::string("not a setup file of vantorel-setup: it has no \"") + key + "\"");
  return *found;
}

[[noreturn]] void BadValue(const char* key, const char* wanted) {
  throw std::runtime_error(std::string("the setup file's \"") + key + "\" is not " + wanted);
}

int32_t WholeMm(const nlohmann::json& json, const char* key) {
  const nlohmann::json& value = Key(json, key);
  if (!value.is_number_integer() || value.get<int64_t>() < 1 || value.get<int64_t>() > INT32_MAX) {
    BadValue(key, "a whole number of millimetres from 1 to 2147483647");
  }
  return value.get<int32_t>();
}

double PositiveMm(const nlohmann::json& json, const char* key) {
  const nlohmann::json& value = Key(json, key);
  if (!value.is_number() || !(value.get<double>() > 0)) BadValue(key, "a positive number of millimetres");
  return value.get<double>();
}

RenderMode Step(const nlohmann::json& json) {
  const nlohmann::json& value = Key(json, "step");
  for (FrameStep step : FrameStep::All()) {
    if (value == step.Number()) return step.Mode();
  }
  BadValue("step", "1, 2, 4 or 8");
}

Framing FramingOf(const nlohmann::json& json) {
  const nlohmann::json& value = Key(json, "framing");
  if (value.is_string()) {
    const auto found = FramingsByName().find(value.get<std::string>());
    if (found != FramingsByName().end()) return found->second;
  }
  BadValue("framing", "\"wide\" or \"recentred\"");
}

}  // namespace

SetupFromFile ReadSetupJson(const std::string& bytes) {
  const nlohmann::json json = nlohmann::json::parse(bytes, nullptr, false);
  if (json.is_discarded()) throw std::runtime_error("the setup file is not JSON");
  if (!json.is_object()) throw std::runtime_error("not a setup file of vantorel-setup: it is not a JSON object");
  SetupFromFile read;
  read.setup.nWidthMm = WholeMm(json, "width_mm");
  read.setup.nHeightMm = WholeMm(json, "height_mm");
  read.setup.nMode = Step(json);
  read.eFraming = FramingOf(json);
  read.setup.dPixelPitchMm = PositiveMm(json, "pitch_mm");
  read.setup.dCameraDistanceMm = PositiveMm(json, "distance_mm");
  read.setup.dTrackLengthMm = PositiveMm(json, "track_mm");
  return read;
}
