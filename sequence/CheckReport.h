#pragma once
// What the check found in one folder, frame by frame, and the two ways it is
// written: a text for people and JSON for scripts. Frames are the rig's
// numbers 1..N; files are names within the folder; every list is sorted.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "RenderRig.h"

// A frame's standing in the report, worst last.
enum class FrameMark : uint8_t { Sound, Suspect, Bad };

struct UnreadableFrame {
  int32_t nFrame = 0;
  std::string strFile;
  std::string strReason;
};

struct WrongSizeFrame {
  int32_t nFrame = 0;
  std::string strFile;
  int32_t nWidthPx = 0;
  int32_t nHeightPx = 0;
};

struct CheckReport {
  int32_t nFramesExpected = 0;
  int32_t nFirstFrame = 1;  // the number in the name of the rig's frame 1
  std::string strPattern;
  Framing eFraming = Framing::Wide;
  int32_t nImageWidthPx = 0;
  int32_t nImageHeightPx = 0;
  // Set when the framing was to be taken from the frames and none fitted.
  std::string strFramingNote;

  std::vector<int32_t> missing;
  std::vector<UnreadableFrame> unreadable;
  std::vector<WrongSizeFrame> wrongSize;
  std::vector<int32_t> uniform;
  std::vector<std::pair<int32_t, int32_t>> identical;  // frame, the earliest frame it equals
  std::vector<std::string> unexpected;

  int32_t FramesBad() const;
  int32_t FramesSound() const { return nFramesExpected - FramesBad(); }
  // Sound frames that are uniform, identical or both, each counted once.
  std::vector<int32_t> Suspects() const;
  // One mark per frame 1..N.
  std::vector<FrameMark> Marks() const;
  // Every bad frame in Blender's -f syntax, by the numbers the files carry
  // (which are Blender's frame numbers): "17,40..42,1999".
  std::string RerenderList() const;
  // "1995 of 2000 frames sound: 3 missing, 1 unreadable, 1 wrong size, 2 suspect"
  std::string SummaryLine() const;
  std::string Text() const;
  std::string Json() const;
};

// Sorted numbers as ranges: "3, 7..9" with separator ", " and range "..".
std::string FrameRanges(const std::vector<int32_t>& frames, const std::string& separator);
