#include "AccessibleNames.h"

#include <array>
#include <string>

#include "FrameStep.h"

namespace {

std::string Capitalised(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

// In the order of Control. The frame counts and the step boxes take their
// words from the frame step, as every other text of the step does.
std::array<std::string, kControlCount> MakeNames() {
  std::array<std::string, kControlCount> names = {
      "Hologram width, mm", "Hologram height, mm", "Camera field of view", "Camera distance", "Camera track",
      "Camera track start", "Camera track end",
  };
  for (FrameStep step : FrameStep::All()) {
    names[static_cast<int>(Control::Frames1) + step.Mode()] = std::string("Frames, ") + step.Words();
    names[static_cast<int>(Control::EveryFrameBox) + step.Mode()] = Capitalised(step.Words());
  }
  names[static_cast<int>(Control::ImageHeight)] = "Rendered image height";
  names[static_cast<int>(Control::ImageWidth)] = "Rendered image width";
  names[static_cast<int>(Control::Minimize)] = "Minimize";
  names[static_cast<int>(Control::Close)] = "Close";
  return names;
}

}  // namespace

const std::string& AccessibleName(Control control) {
  static const std::array<std::string, kControlCount> names = MakeNames();
  return names[static_cast<int>(control)];
}
