#include "AccessibleNames.h"

namespace {

// In the order of Control.
constexpr const char* kNames[] = {
    "Hologram width, mm",
    "Hologram height, mm",
    "Camera field of view",
    "Camera distance",
    "Camera track",
    "Camera track start",
    "Camera track end",
    "Frames, every frame",
    "Frames, every 2nd frame",
    "Frames, every 4th frame",
    "Frames, every 8th frame",
    "Rendered image height",
    "Rendered image width",
    "Every frame",
    "Every 2nd frame",
    "Every 4th frame",
    "Every 8th frame",
    "Minimize",
    "Close",
};
static_assert(sizeof kNames / sizeof kNames[0] == kControlCount, "one name per control");

}  // namespace

const char* AccessibleName(Control control) { return kNames[static_cast<int>(control)]; }
