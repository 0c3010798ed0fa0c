// What one call of CalculateRendering costs next to the one atan it cannot do
// without. The calculator runs after every keystroke; anything it does beyond
// that atan shows as the ratio of the two. Both loops walk the same widths, so
// both see the same range of atan arguments.
#include "RenderCalculator.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstddef>

namespace {

constexpr std::array<int32_t, 8> kWidthsMm = {1, 3, 30, 57, 100, 640, 1000, 25000};

// The ratio whose atan gives the field of view, 2·atan((T + W) ÷ 2D), for each width.
std::array<double, kWidthsMm.size()> AtanArguments() {
  const RenderSetup setup;
  std::array<double, kWidthsMm.size()> ratios{};
  for (std::size_t i = 0; i < kWidthsMm.size(); ++i) {
    ratios[i] = (setup.dTrackLengthMm + kWidthsMm[i]) / (2 * setup.dCameraDistanceMm);
  }
  return ratios;
}

void BM_Atan(benchmark::State& state) {
  const std::array<double, kWidthsMm.size()> ratios = AtanArguments();
  std::size_t i = 0;
  for (auto _ : state) {
    double ratio = ratios[i++ % ratios.size()];
    benchmark::DoNotOptimize(ratio);
    double angle = std::atan(ratio);
    benchmark::DoNotOptimize(angle);
  }
}
BENCHMARK(BM_Atan);

void BM_CalculateRendering(benchmark::State& state) {
  RenderSetup setup;
  setup.nHeightMm = 20;
  std::size_t i = 0;
  for (auto _ : state) {
    setup.nWidthMm = kWidthsMm[i % kWidthsMm.size()];
    setup.nMode = static_cast<RenderMode>(i++ % 4);
    benchmark::DoNotOptimize(setup);
    RenderResult result = CalculateRendering(setup);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_CalculateRendering);

}  // namespace
