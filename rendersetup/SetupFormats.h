#pragma once
// The render setup as files for people and for 3D software. Every writer of
// these files (the command-line tool and the window) goes through here, so the
// same inputs give the same bytes.

#include <map>
#include <string>
#include <vector>

#include "RenderRig.h"

enum class SetupFormat { Text, Json, Csv, Blender };

// "wide" or "recentred", as the files and the file names say it.
const char* FramingName(Framing framing);
// Every name a framing is read by: FramingName's, and "recentered" as well.
const std::map<std::string, Framing>& FramingsByName();

// UTF-8. Throws RigError when the format cannot hold the rig (an image past
// what Blender renders, say).
std::string FormatSetup(const RenderRig& rig, SetupFormat format);

// The inputs, the step, the window's eleven results and the derived values,
// one labelled row each: the text format lays them out in columns, the window
// copies them with tabs between label, value and unit.
struct ResultRow {
  std::string strLabel;
  std::string strValue;
  std::string strUnit;
};
std::vector<ResultRow> ResultRows(const RenderRig& rig);
