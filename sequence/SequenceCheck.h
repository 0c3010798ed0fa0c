#pragma once
// Judges every frame of a rig's image sequence in a folder: missing,
// unreadable, the wrong size or sound, and among the sound ones the
// suspects. Frames are judged in parallel, each worker taking the next frame
// number; what is kept per frame is a verdict and a hash, so memory does not
// grow with the pixels of the render.

#include <cstdint>
#include <filesystem>
#include <optional>

#include "CheckReport.h"
#include "FramePattern.h"
#include "RenderRig.h"
#include "SequenceFiles.h"

struct CheckRequest {
  std::filesystem::path folder;
  RenderSetup setup;
  std::optional<Framing> framing;       // none: the framing the first readable frame has
  std::optional<FramePattern> pattern;  // none: the folder's only sequence
  int32_t nFirstFrame = 1;
  int32_t nJobs = 1;
};

struct CheckOutcome {
  SequenceFiles files;
  RenderRig rig;  // with the framing settled
  CheckReport report;
};

// Throws CheckError.
CheckOutcome CheckSequence(const CheckRequest& request);
