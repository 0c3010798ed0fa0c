#include "FrameStep.h"

namespace {

struct StepRow {
  int32_t nNumber;
  const char* szWords;
  int32_t RenderResult::*pFrames;
};

// In mode order: a mode is its row's index.
constexpr StepRow kSteps[] = {
    {1, "every frame", &RenderResult::nFrames},
    {2, "every 2nd frame", &RenderResult::nFrames2},
    {4, "every 4th frame", &RenderResult::nFrames4},
    {8, "every 8th frame", &RenderResult::nFrames8},
};

constexpr FrameStep kAll[] = {RenderEveryFrame, RenderEvery2ndFrame, RenderEvery4thFrame, RenderEvery8thFrame};
static_assert(std::size(kAll) == std::size(kSteps));

}  // namespace

std::span<const FrameStep> FrameStep::All() { return kAll; }

std::optional<FrameStep> FrameStep::FromNumber(int32_t number) {
  for (FrameStep step : kAll)
    if (step.Number() == number) return step;
  return std::nullopt;
}

int32_t FrameStep::Number() const { return kSteps[m_eMode].nNumber; }

const char* FrameStep::Words() const { return kSteps[m_eMode].szWords; }

int32_t FrameStep::FramesIn(const RenderResult& result) const { return result.*kSteps[m_eMode].pFrames; }

int32_t& FrameStep::FramesIn(RenderResult& result) const { return result.*kSteps[m_eMode].pFrames; }
