// Making the render setup's files for the 2,000 frames of a 30 mm hologram at
// every frame, in process: each must take at most 2 ms, so that the tool and
// the window's export feel instant.
#include "SetupFormats.h"

#include <benchmark/benchmark.h>

namespace {

void BM_FormatSetup(benchmark::State& state) {
  RenderSetup setup;
  setup.nWidthMm = 30;
  setup.nHeightMm = 20;
  const RenderRig rig = MakeRenderRig(setup, Framing::Wide);
  const auto format = static_cast<SetupFormat>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(FormatSetup(rig, format));
  state.counters["frames"] = rig.nFrameCount;
}

}  // namespace

BENCHMARK(BM_FormatSetup)
    ->ArgName("format")
    ->Arg(static_cast<int>(SetupFormat::Text))
    ->Arg(static_cast<int>(SetupFormat::Json))
    ->Arg(static_cast<int>(SetupFormat::Csv))
    ->Unit(benchmark::kMicrosecond);
