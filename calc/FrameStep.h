#pragma once
// One frame step: every frame, every 2nd, 4th or 8th. The only place that
// spells out the four, so that the calculator, the rig, the tool and the
// window cannot disagree about a step's number, words or frame count.

#include <cstdint>
#include <optional>
#include <span>

#include "RenderCalculator.h"

class FrameStep {
 public:
  // A mode the form never sets counts as every frame, as the calculator has
  // always taken it; Mode() then differs from the mode given.
  constexpr FrameStep(RenderMode mode)  // implicit: the calculator's mode is its step
      : m_eMode(mode >= RenderEveryFrame && mode <= RenderEvery8thFrame ? mode : RenderEveryFrame) {}

  static std::span<const FrameStep> All();  // the four, in mode order
  static std::optional<FrameStep> FromNumber(int32_t number);  // 1, 2, 4, 8

  RenderMode Mode() const { return m_eMode; }
  int32_t Number() const;                              // 1, 2, 4, 8
  const char* Words() const;                           // "every frame", "every 2nd frame", ...
  // The one accessor onto nFrames, nFrames2, nFrames4 and nFrames8; the
  // calculator fills them through it.
  int32_t FramesIn(const RenderResult& result) const;
  int32_t& FramesIn(RenderResult& result) const;

 private:
  RenderMode m_eMode;
};
