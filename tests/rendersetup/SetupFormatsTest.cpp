#include "SetupFormats.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "RenderTexts.h"
#include "SetupBuilders.h"

namespace {

const RenderRig kRigs[] = {
    MakeRenderRig(HologramSetup(30, 20, RenderEvery2ndFrame), Framing::Wide),
    MakeRenderRig(HologramSetup(157, 20), Framing::Recentred),
};

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
  return parts;
}

bool NegativeZero(double value) { return value == 0 && std::signbit(value); }

const ResultRow& RowOf(const std::vector<ResultRow>& rows, const std::string& label) {
  const auto row = std::find_if(rows.begin(), rows.end(), [&](const ResultRow& r) { return r.strLabel == label; });
  if (row == rows.end()) throw std::runtime_error("no row " + label);
  return *row;
}

TEST(SetupFormats, JsonHoldsTheRigAndEveryFrame) {
  for (const RenderRig& rig : kRigs) {
    const auto json = nlohmann::json::parse(FormatSetup(rig, SetupFormat::Json));
    EXPECT_EQ(json["width_mm"], rig.setup.nWidthMm);
    EXPECT_EQ(json["height_mm"], 20);
    EXPECT_EQ(json["step"], rig.step.Number());
    EXPECT_EQ(json["framing"], rig.eFraming == Framing::Wide ? "wide" : "recentred");
    EXPECT_EQ(json["pitch_mm"], 0.1);
    EXPECT_EQ(json["distance_mm"], 300.0);
    EXPECT_EQ(json["track_mm"], 200.0);
    EXPECT_NEAR(json["fov_deg"].get<double>(), rig.result.dFovDeg, 1e-9);
    EXPECT_NEAR(json["lens_fov_deg"].get<double>(), rig.dLensFovDeg, 1e-9);
    EXPECT_NEAR(json["vertical_fov_deg"].get<double>(), rig.dVerticalFovDeg, 1e-9);
    EXPECT_NEAR(json["focal_length_mm"].get<double>(), rig.dFocalLengthMm, 1e-9);
    EXPECT_EQ(json["film_back_mm"][0], 36.0);
    EXPECT_NEAR(json["film_back_mm"][1].get<double>(), rig.dFilmBackHeightMm, 1e-9);
    EXPECT_EQ(json["image_width_px"], rig.nImageWidthPx);
    EXPECT_EQ(json["image_height_px"], rig.nImageHeightPx);
    EXPECT_EQ(json["frame_count"], rig.nFrameCount);
    EXPECT_NEAR(json["camera_step_mm"].get<double>(), rig.dCameraStepMm, 1e-12);
    EXPECT_EQ(json["budget"]["pixels"], rig.nBudgetPixels);
    EXPECT_EQ(json["budget"]["bytes_rgb8"], rig.nBudgetBytesRgb8);

    const auto& frames = json["frames"];
    ASSERT_EQ(frames.size(), size_t(rig.nFrameCount));
    for (int32_t k = 1; k <= rig.nFrameCount; ++k) {
      const FramePose pose = rig.Frame(k);
      const auto& frame = frames[size_t(k - 1)];
      ASSERT_EQ(frame["frame"], k);
      ASSERT_NEAR(frame["x_mm"].get<double>(), pose.dXMm, 1e-9);
      ASSERT_EQ(frame["y_mm"], 0.0);
      ASSERT_EQ(frame["z_mm"], 300.0);
      ASSERT_NEAR(frame["shift_x"].get<double>(), pose.dShiftX, 1e-12);
      ASSERT_EQ(frame["hologram_px"][0], pose.nHologramFirstPx);
      ASSERT_EQ(frame["hologram_px"][1], pose.nHologramLastPx);
      for (const char* key : {"x_mm", "y_mm", "shift_x"}) ASSERT_FALSE(NegativeZero(frame[key])) << key << " of frame " << k;
    }
  }
}

// The CSV carries exactly the JSON's per-frame values, written as decimals a
// person would type: frame 3 of step 2 stands at -99.6 mm, not -99.60000000000001.
TEST(SetupFormats, CsvRowsAreTheJsonFrames) {
  for (const RenderRig& rig : kRigs) {
    const auto json = nlohmann::json::parse(FormatSetup(rig, SetupFormat::Json));
    const auto& frames = json["frames"];
    const std::vector<std::string> lines = Split(FormatSetup(rig, SetupFormat::Csv), '\n');
    ASSERT_EQ(lines.size(), size_t(rig.nFrameCount) + 1);
    EXPECT_EQ(lines[0], "frame,x_mm,y_mm,z_mm,shift_x,hologram_first_px,hologram_last_px,lens_fov_deg");
    for (size_t row = 1; row < lines.size(); ++row) {
      const std::vector<std::string> cells = Split(lines[row], ',');
      const auto& frame = frames[row - 1];
      ASSERT_EQ(cells.size(), 8u) << lines[row];
      for (const std::string& cell : cells) ASSERT_FALSE(NegativeZero(std::stod(cell))) << lines[row];
      ASSERT_EQ(std::stoi(cells[0]), frame["frame"]);
      ASSERT_EQ(std::stod(cells[1]), frame["x_mm"]) << lines[row];
      ASSERT_EQ(std::stod(cells[2]), frame["y_mm"]);
      ASSERT_EQ(std::stod(cells[3]), frame["z_mm"]);
      ASSERT_EQ(std::stod(cells[4]), frame["shift_x"]) << lines[row];
      ASSERT_EQ(std::stoi(cells[5]), frame["hologram_px"][0]);
      ASSERT_EQ(std::stoi(cells[6]), frame["hologram_px"][1]);
      ASSERT_EQ(std::stod(cells[7]), json["lens_fov_deg"]);
    }
  }
  EXPECT_EQ(Split(FormatSetup(kRigs[0], SetupFormat::Csv), '\n')[3], "3,-99.6,0,300,0.00043516101,1994,2293,41.913679701");
}

TEST(SetupFormats, ResultRowsShowTheWindowsElevenResultsAsTheWindowDoes) {
  const RenderRig& rig = kRigs[0];
  const RenderTexts t = FormatRenderTexts(rig.setup, rig.result);
  const std::pair<const char*, std::string> window[] = {
      {"Camera FOV", t.strFov},
      {"Camera distance", t.strDistance},
      {"Camera track", t.strTrackLength},
      {"Track start", t.strTrackStart},
      {"Track end", t.strTrackEnd},
      {"Frames, every frame", t.strFrames[0]},
      {"Frames, every 2nd frame", t.strFrames[1]},
      {"Frames, every 4th frame", t.strFrames[2]},
      {"Frames, every 8th frame", t.strFrames[3]},
      {"Rendered image height", t.strImageHeight},
      {"Rendered image width", t.strImageWidth},
  };
  const std::vector<ResultRow> rows = ResultRows(rig);
  for (const auto& [label, text] : window) {
    const ResultRow& row = RowOf(rows, label);
    EXPECT_EQ(row.strValue + " " + row.strUnit, text) << label;
  }
}

// The rows a user copies from the window or reads in the text say what the
// files for 3D software say.
TEST(SetupFormats, ResultRowsGiveTheFilesLensAndShifts) {
  for (const RenderRig& rig : kRigs) {
    const auto json = nlohmann::json::parse(FormatSetup(rig, SetupFormat::Json));
    const std::pair<const char*, double> values[] = {
        {"Lens FOV, horizontal", json["lens_fov_deg"]},
        {"Lens shift x, first frame", json["frames"].front()["shift_x"]},
        {"Lens shift x, last frame", json["frames"].back()["shift_x"]},
    };
    for (const auto& [label, value] : values) EXPECT_NEAR(std::stod(RowOf(ResultRows(rig), label).strValue), value, 5e-4) << label;
  }
}

// A person reads the text: label, value right-aligned in one column, unit.
TEST(SetupFormats, TextLaysEveryRowOutInColumns) {
  for (const RenderRig& rig : kRigs) {
    const std::vector<ResultRow> rows = ResultRows(rig);
    const std::vector<std::string> lines = Split(FormatSetup(rig, SetupFormat::Text), '\n');
    ASSERT_EQ(lines.size(), rows.size() + 2);
    size_t valueEnd = std::string::npos;
    for (size_t i = 0; i < rows.size(); ++i) {
      const std::string& line = lines[i + 2];
      const std::string tail = rows[i].strValue + (rows[i].strUnit.empty() ? "" : " " + rows[i].strUnit);
      ASSERT_EQ(line.rfind(rows[i].strLabel, 0), 0u) << line;
      ASSERT_GE(line.size(), tail.size());
      ASSERT_EQ(line.substr(line.size() - tail.size()), tail);
      // Display columns, not bytes: "×" takes two bytes in UTF-8.
      const std::string value = line.substr(0, line.size() - tail.size() + rows[i].strValue.size());
      const size_t end = size_t(std::count_if(value.begin(), value.end(), [](char c) { return (c & 0xC0) != 0x80; }));
      if (valueEnd == std::string::npos) valueEnd = end;
      EXPECT_EQ(end, valueEnd) << line;
    }
  }
}

}  // namespace
