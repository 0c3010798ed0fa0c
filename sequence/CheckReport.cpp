#include "CheckReport.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "SetupFormats.h"

namespace {

std::vector<int32_t> BadFrames(const CheckReport& report) {
  std::vector<int32_t> frames = report.missing;
  for (const UnreadableFrame& f : report.unreadable) frames.push_back(f.nFrame);
  for (const WrongSizeFrame& f : report.wrongSize) frames.push_back(f.nFrame);
  std::sort(frames.begin(), frames.end());
  return frames;
}

}  // namespace

std::string FrameRanges(const std::vector<int32_t>& frames, const std::string& separator) {
  std::string text;
  for (size_t i = 0; i < frames.size();) {
    size_t j = i;
    while (j + 1 < frames.size() && frames[j + 1] == frames[j] + 1) ++j;
    if (!text.empty()) text += separator;
    text += std::to_string(frames[i]);
    if (j > i) text += ".." + std::to_string(frames[j]);
    i = j + 1;
  }
  return text;
}

int32_t CheckReport::FramesBad() const {
  return static_cast<int32_t>(missing.size() + unreadable.size() + wrongSize.size());
}

std::vector<int32_t> CheckReport::Suspects() const {
  std::vector<int32_t> frames = uniform;
  for (const auto& pair : identical) frames.push_back(pair.first);
  std::sort(frames.begin(), frames.end());
  frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
  return frames;
}

std::vector<FrameMark> CheckReport::Marks() const {
  std::vector<FrameMark> marks(static_cast<size_t>(nFramesExpected), FrameMark::Sound);
  for (int32_t k : Suspects()) marks[static_cast<size_t>(k - 1)] = FrameMark::Suspect;
  for (int32_t k : BadFrames(*this)) marks[static_cast<size_t>(k - 1)] = FrameMark::Bad;
  return marks;
}

std::string CheckReport::RerenderList() const {
  std::vector<int32_t> numbers = BadFrames(*this);
  for (int32_t& n : numbers) n += nFirstFrame - 1;
  return FrameRanges(numbers, ",");
}

std::string CheckReport::SummaryLine() const {
  std::string line = std::to_string(FramesSound()) + " of " + std::to_string(nFramesExpected) + " frames sound";
  std::vector<std::string> parts;
  const auto add = [&parts](size_t count, const char* words) {
    if (count > 0) parts.push_back(std::to_string(count) + " " + words);
  };
  add(missing.size(), "missing");
  add(unreadable.size(), "unreadable");
  add(wrongSize.size(), "wrong size");
  add(Suspects().size(), "suspect");
  for (size_t i = 0; i < parts.size(); ++i) line += (i == 0 ? ": " : ", ") + parts[i];
  return line;
}

std::string CheckReport::Text() const {
  std::string text = SummaryLine() + "\n";
  if (!strFramingNote.empty()) text += "framing: " + strFramingNote + "\n";
  const auto line = [&text](const char* kind, const std::vector<int32_t>& frames) {
    if (!frames.empty()) text += std::string(kind) + ": " + FrameRanges(frames, ", ") + "\n";
  };
  line("missing", missing);
  std::vector<int32_t> frames;
  for (const UnreadableFrame& f : unreadable) frames.push_back(f.nFrame);
  line("unreadable", frames);
  for (const UnreadableFrame& f : unreadable) text += "  " + f.strFile + ": " + f.strReason + "\n";
  frames.clear();
  for (const WrongSizeFrame& f : wrongSize) frames.push_back(f.nFrame);
  line("wrong size", frames);
  for (const WrongSizeFrame& f : wrongSize) {
    text += "  " + f.strFile + ": " + std::to_string(f.nWidthPx) + " x " + std::to_string(f.nHeightPx) + " px, not " +
            std::to_string(nImageWidthPx) + " x " + std::to_string(nImageHeightPx) + "\n";
  }
  line("uniform", uniform);
  if (!identical.empty()) {
    text += "identical:";
    for (size_t i = 0; i < identical.size(); ++i) {
      text += (i == 0 ? " " : ", ") + std::to_string(identical[i].first) + " = " + std::to_string(identical[i].second);
    }
    text += "\n";
  }
  if (!unexpected.empty()) {
    text += "unexpected:";
    for (size_t i = 0; i < unexpected.size(); ++i) text += (i == 0 ? " " : ", ") + unexpected[i];
    text += "\n";
  }
  const std::string rerender = RerenderList();
  if (!rerender.empty()) text += "render again: -f " + rerender + "\n";
  return text;
}

std::string CheckReport::Json() const {
  nlohmann::ordered_json json = {
      {"frames_expected", nFramesExpected},
      {"frames_sound", FramesSound()},
      {"first_frame", nFirstFrame},
      {"pattern", strPattern},
      {"framing", FramingName(eFraming)},
      {"image_width_px", nImageWidthPx},
      {"image_height_px", nImageHeightPx},
      {"missing", missing},
  };
  nlohmann::ordered_json& unreadableList = json["unreadable"] = nlohmann::ordered_json::array();
  for (const UnreadableFrame& f : unreadable) {
    unreadableList.push_back({{"frame", f.nFrame}, {"file", f.strFile}, {"reason", f.strReason}});
  }
  nlohmann::ordered_json& wrongSizeList = json["wrong_size"] = nlohmann::ordered_json::array();
  for (const WrongSizeFrame& f : wrongSize) {
    wrongSizeList.push_back({{"frame", f.nFrame}, {"file", f.strFile}, {"width_px", f.nWidthPx}, {"height_px", f.nHeightPx}});
  }
  json["uniform"] = uniform;
  nlohmann::ordered_json& identicalList = json["identical"] = nlohmann::ordered_json::array();
  for (const auto& [frame, earlier] : identical) identicalList.push_back({frame, earlier});
  json["unexpected"] = unexpected;
  json["rerender"] = RerenderList();
  // One line, as vantorel-setup writes its JSON. A decoder's reason may hold
  // bytes that are not UTF-8; they are replaced rather than stopping the report.
  return json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}
