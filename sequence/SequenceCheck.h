#pragma once
// Judges every frame of a rig's image sequence in a folder: missing,
// unreadable, the wrong size or sound, and among the sound ones the
// suspects. Frames are judged in parallel, each worker taking the next frame
// number; what is kept per frame is a verdict and a hash, so memory does not
// grow with the pixels of the render.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
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

// A check stopped by its caller before it was made.
class CheckCancelled : public CheckError {
 public:
  using CheckError::CheckError;
};

// How a caller follows a check as it goes, and stops it.
struct CheckProgress {
  // Called on the check's worker threads, once per frame as it is judged, in
  // no set order. Suspect here means uniform: frames identical to others are
  // known only from the finished report. It must not throw.
  std::function<void(int32_t nFrame, FrameMark mark)> onFrameJudged;
  // Once set, no worker takes another frame and the check throws CheckCancelled.
  const std::atomic<bool>* pCancel = nullptr;
};

// Throws CheckError, or CheckCancelled.
CheckOutcome CheckSequence(const CheckRequest& request, const CheckProgress& progress = {});
// The same from what CheckRequestPossible gave for the request, so that the
// frames a window shows and the verdicts have one rig.
CheckOutcome CheckSequence(const CheckRequest& request, CheckOutcome plan, const CheckProgress& progress);

// The check as far as it goes before judging a frame: the sequence's files,
// the rig with its framing settled (by the first readable frame's header when
// the request leaves it open) and the report's heading, with no verdicts.
// Cheap, for a window to call before it opens; throws the CheckError
// CheckSequence would: no folder, no sequence, several sequences, or a rig
// the setup cannot make.
CheckOutcome CheckRequestPossible(const CheckRequest& request);
