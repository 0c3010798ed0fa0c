// Writes a rig's JSON or Blender script for the Blender tests, taking the
// command-line tool's options: --width --height --step --framing --format
// --output --pitch --distance --track, each with a value.
#include <fstream>
#include <iostream>
#include <map>
#include <string>

#include "SetupFormats.h"

int main(int argc, char** argv) {
  std::map<std::string, std::string> options = {{"--step", "1"}, {"--pitch", "0.1"}, {"--distance", "300"},
                                                 {"--track", "200"}, {"--framing", "wide"}};
  for (int i = 1; i + 1 < argc; i += 2) options[argv[i]] = argv[i + 1];
  const int step = std::stoi(options["--step"]);
  RenderSetup setup;
  setup.nWidthMm = std::stoi(options["--width"]);
  setup.nHeightMm = std::stoi(options["--height"]);
  setup.dPixelPitchMm = std::stod(options["--pitch"]);
  setup.dCameraDistanceMm = std::stod(options["--distance"]);
  setup.dTrackLengthMm = std::stod(options["--track"]);
  setup.nMode = step == 8 ? RenderEvery8thFrame : step == 4 ? RenderEvery4thFrame : step == 2 ? RenderEvery2ndFrame : RenderEveryFrame;
  const Framing framing = options["--framing"] == "recentred" ? Framing::Recentred : Framing::Wide;
  const SetupFormat format = options["--format"] == "json" ? SetupFormat::Json : SetupFormat::Blender;
  std::ofstream(options["--output"], std::ios::binary) << FormatSetup(MakeRenderRig(setup, framing), format);
  return 0;
}
