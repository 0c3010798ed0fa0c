#pragma once
// The names screen readers read for the window's controls, in UTF-8. The
// fields carry their values, not their captions, and the captions live in the
// background picture, where no screen reader finds them.

#include <string>

// Every control of the window that carries a name. The first thirteen are the
// fields, in the order of the window's field table.
enum class Control {
  Width,
  Height,
  Fov,
  Distance,
  Track,
  TrackStart,
  TrackEnd,
  Frames1,
  Frames2,
  Frames4,
  Frames8,
  ImageHeight,
  ImageWidth,
  EveryFrameBox,
  Every2ndFrameBox,
  Every4thFrameBox,
  Every8thFrameBox,
  Minimize,
  Close,
};
inline constexpr int kControlCount = static_cast<int>(Control::Close) + 1;
inline constexpr int kFieldCount = static_cast<int>(Control::ImageWidth) + 1;

const std::string& AccessibleName(Control control);
