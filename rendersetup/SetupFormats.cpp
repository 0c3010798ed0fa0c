#include "SetupFormats.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#include "BlenderScript.h"

namespace {

// Numbers leave here through std::to_chars and the JSON library's own
// shortest round-trip printing, never through the C library's printf, so the
// host and the Windows build write the same bytes.
std::string Shortest(double value) {
  char buffer[400];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed).ptr;
  return std::string(buffer, end);
}

std::string Fixed(double value, int decimals) {
  char buffer[400];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  return std::string(buffer, end);
}

// Steps like p·s·(k−1) leave binary noise (-99.80000000000001); a 3D artist
// reads and pastes the decimal that was meant. Rounding far below a pixel's
// pitch keeps every value exact enough for any projection; +0.0 turns -0 into 0.
double Tidy(double value, double scale) {
  if (!(std::fabs(value) * scale < 9007199254740992.0)) return value;
  return std::round(value * scale) / scale + 0.0;
}
double TidyMm(double value) { return Tidy(value, 1e9); }
double TidyShift(double value) { return Tidy(value, 1e12); }


size_t DisplayWidth(const std::string& utf8) {
  return static_cast<size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string Padding(size_t width, const std::string& text) { return std::string(width - DisplayWidth(text), ' '); }

std::string FormatText(const RenderRig& rig) {
  const std::vector<ResultRow> rows = ResultRows(rig);
  size_t labelWidth = 0;
  size_t valueWidth = 0;
  for (const ResultRow& row : rows) {
    labelWidth = std::max(labelWidth, DisplayWidth(row.strLabel));
    valueWidth = std::max(valueWidth, DisplayWidth(row.strValue));
  }
  std::string text = "Vantorel render setup\n\n";
  for (const ResultRow& row : rows) {
    text += row.strLabel + Padding(labelWidth, row.strLabel) + "  " + Padding(valueWidth, row.strValue) + row.strValue;
    if (!row.strUnit.empty()) text += " " + row.strUnit;
    text += "\n";
  }
  return text;
}

// One line: written with indentation the 2,000 frames take five times as long
// to print and twice the space; any JSON viewer lays it out again.
std::string FormatJson(const RenderRig& rig) {
  const RenderSetup& s = rig.setup;
  nlohmann::ordered_json json = {
      {"width_mm", s.nWidthMm},
      {"height_mm", s.nHeightMm},
      {"step", rig.step.Number()},
      {"framing", FramingName(rig.eFraming)},
      {"pitch_mm", TidyMm(s.dPixelPitchMm)},
      {"distance_mm", TidyMm(s.dCameraDistanceMm)},
      {"track_mm", TidyMm(s.dTrackLengthMm)},
      {"fov_deg", TidyMm(rig.result.dFovDeg)},
      {"lens_fov_deg", TidyMm(rig.dLensFovDeg)},
      {"vertical_fov_deg", TidyMm(rig.dVerticalFovDeg)},
      {"focal_length_mm", TidyMm(rig.dFocalLengthMm)},
      {"film_back_mm", {TidyMm(rig.dFilmBackWidthMm), TidyMm(rig.dFilmBackHeightMm)}},
      {"image_width_px", rig.nImageWidthPx},
      {"image_height_px", rig.nImageHeightPx},
      {"frame_count", rig.nFrameCount},
      {"camera_step_mm", TidyMm(rig.dCameraStepMm)},
      {"budget", {{"pixels", rig.nBudgetPixels}, {"bytes_rgb8", rig.nBudgetBytesRgb8}}},
  };
  nlohmann::ordered_json& frames = json["frames"] = nlohmann::ordered_json::array();
  frames.get_ref<nlohmann::ordered_json::array_t&>().reserve(static_cast<size_t>(rig.nFrameCount));
  for (int32_t k = 1; k <= rig.nFrameCount; ++k) {
    const FramePose pose = rig.Frame(k);
    // Member by member: a nested initializer list builds and copies every pair.
    nlohmann::ordered_json& frame = frames.emplace_back(nlohmann::ordered_json::object());
    frame.get_ref<nlohmann::ordered_json::object_t&>().reserve(6);
    frame["frame"] = pose.nFrame;
    frame["x_mm"] = TidyMm(pose.dXMm);
    frame["y_mm"] = TidyMm(pose.dYMm);
    frame["z_mm"] = TidyMm(pose.dZMm);
    frame["shift_x"] = TidyShift(pose.dShiftX);
    nlohmann::ordered_json& columns = frame["hologram_px"] = nlohmann::ordered_json::array();
    columns.push_back(pose.nHologramFirstPx);
    columns.push_back(pose.nHologramLastPx);
  }
  std::string text = json.dump();
  text += '\n';
  return text;
}

// The lens is the same in every frame; a row per frame still carries it, so
// that a pipeline reading one row has all it needs to set up that camera.
std::string FormatCsv(const RenderRig& rig) {
  std::string csv = "frame,x_mm,y_mm,z_mm,shift_x,hologram_first_px,hologram_last_px,lens_fov_deg\n";
  const std::string lens = ',' + Shortest(TidyMm(rig.dLensFovDeg)) + '\n';
  csv.reserve(static_cast<size_t>(rig.nFrameCount) * (48 + lens.size()) + csv.size());
  for (int32_t k = 1; k <= rig.nFrameCount; ++k) {
    const FramePose pose = rig.Frame(k);
    csv += std::to_string(pose.nFrame) + ',' + Shortest(TidyMm(pose.dXMm)) + ',' + Shortest(TidyMm(pose.dYMm)) + ',' +
           Shortest(TidyMm(pose.dZMm)) + ',' + Shortest(TidyShift(pose.dShiftX)) + ',' + std::to_string(pose.nHologramFirstPx) +
           ',' + std::to_string(pose.nHologramLastPx) + lens;
  }
  return csv;
}

}  // namespace

const char* FramingName(Framing framing) { return framing == Framing::Wide ? "wide" : "recentred"; }

const std::map<std::string, Framing>& FramingsByName() {
  static const std::map<std::string, Framing> names = {
      {"wide", Framing::Wide}, {"recentred", Framing::Recentred}, {"recentered", Framing::Recentred}};
  return names;
}

std::string FormatSetup(const RenderRig& rig, SetupFormat format) {
  switch (format) {
    case SetupFormat::Text: return FormatText(rig);
    case SetupFormat::Json: return FormatJson(rig);
    case SetupFormat::Csv: return FormatCsv(rig);
    case SetupFormat::Blender: return FormatBlenderScript(rig);
  }
  throw RigError("unknown setup format");
}

std::vector<ResultRow> ResultRows(const RenderRig& rig) {
  const RenderSetup& s = rig.setup;
  const RenderResult& r = rig.result;
  const FramePose first = rig.Frame(1);
  const FramePose last = rig.Frame(rig.nFrameCount);
  const std::string mm = "mm";
  const std::string px = "px";
  const std::string frames = "frames";
  std::vector<ResultRow> rows = {
      {"Hologram width", std::to_string(s.nWidthMm), mm},
      {"Hologram height", std::to_string(s.nHeightMm), mm},
      {"Frame step", std::to_string(rig.step.Number()), std::string("(") + rig.step.Words() + ")"},
      {"Camera FOV", Fixed(r.dFovDeg, 3), "\u00B0"},
      {"Camera distance", Shortest(TidyMm(s.dCameraDistanceMm)), mm},
      {"Camera track", Shortest(TidyMm(s.dTrackLengthMm)), mm},
      {"Track start", Shortest(TidyMm(s.dTrackLengthMm * -0.5)), mm},
      {"Track end", Shortest(TidyMm(s.dTrackLengthMm * 0.5)), mm},
  };
  for (FrameStep step : FrameStep::All()) rows.push_back({std::string("Frames, ") + step.Words(), std::to_string(step.FramesIn(r)), frames});
  rows.insert(rows.end(), {
      {"Rendered image height", std::to_string(r.nHeightPx), px},
      {"Rendered image width", std::to_string(r.nWidthPx), px},
      {"Framing", FramingName(rig.eFraming), ""},
      {"Pixel pitch", Shortest(TidyMm(s.dPixelPitchMm)), mm},
      {"Image to render", std::to_string(rig.nImageWidthPx) + " \u00D7 " + std::to_string(rig.nImageHeightPx), px},
      {"Frames to render", std::to_string(rig.nFrameCount), frames},
      {"Focal length", Fixed(rig.dFocalLengthMm, 3),
       "mm on a " + Shortest(rig.dFilmBackWidthMm) + " \u00D7 " + Fixed(rig.dFilmBackHeightMm, 3) + " mm film back"},
      {"Lens FOV, horizontal", Fixed(rig.dLensFovDeg, 3), "\u00B0"},
      {"Vertical FOV", Fixed(rig.dVerticalFovDeg, 3), "\u00B0"},
      {"Camera step", Shortest(TidyMm(rig.dCameraStepMm)), mm},
      {"Lens shift x, first frame", Shortest(TidyShift(first.dShiftX)), "image widths"},
      {"Lens shift x, last frame", Shortest(TidyShift(last.dShiftX)), "image widths"},
      {"Render budget", std::to_string(rig.nBudgetPixels), "pixels"},
      {"Render budget, 8-bit RGB", std::to_string(rig.nBudgetBytesRgb8), "bytes"},
  });
  return rows;
}
