// Runs the calculator over the whole int32 input range under the address and
// undefined-behaviour sanitizers (any report aborts the run) and checks each
// count against the exact value, worked out independently in 64 bits.
#include "RenderCalculator.h"
#include "RenderTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>

#include "SetupBuilders.h"

namespace {

// What a count text must read: the exact count, or the marker when it does
// not fit in 32 bits. The ends of the range are held for the markers, so a
// count landing on one reads as the marker too.
std::string Expected(int64_t exact, const char* unit) {
  if (exact >= INT_MAX) return "too large";
  if (exact <= INT_MIN) return "too small";
  return std::to_string(exact) + unit;
}

void Check(int32_t w, int32_t h, int32_t mode) {
  const RenderSetup s = HologramSetup(w, h, static_cast<RenderMode>(mode));
  const RenderResult r = CalculateRendering(s);
  RenderTexts t = FormatRenderTexts(s, r);

  // With a 0.1 mm pitch every quotient of whole millimetres is exact.
  const int64_t step[] = {1, 2, 4, 8};
  const int64_t frames = 2000;
  int64_t width = int64_t{w} * 10 + frames;
  if (mode >= 1 && mode <= 3) width = int64_t{w} * 10 + step[mode] * (frames / step[mode]) - step[mode];
  ASSERT_EQ(t.strImageHeight, Expected(int64_t{h} * 10, " px")) << w << 'x' << h;
  ASSERT_EQ(t.strImageWidth, Expected(width, " px")) << w << 'x' << h << " mode " << mode;
  ASSERT_EQ(t.strFrames[0], "2000 frames");
  ASSERT_EQ(t.strFrames[3], "250 frames");
  ASSERT_FALSE(t.strFov.empty());
  ASSERT_EQ(r.nHologramPx, std::clamp<int64_t>(int64_t{w} * 10, INT_MIN, INT_MAX)) << w;
}

TEST(RenderSweep, BoundariesInEveryMode) {
  const int32_t edges[] = {INT_MIN, INT_MIN + 1, -214748565, -214748564, -214748563,
                           -214748365, -214748364, -201, -200, -199, -1,
                           0, 1, 214748164, 214748165, 214748364, 214748365, INT_MAX - 1, INT_MAX};
  for (int32_t w : edges)
    for (int32_t h : edges)
      for (int32_t mode : {0, 1, 2, 3, -1, 4, INT_MIN, INT_MAX}) Check(w, h, mode);
}

TEST(RenderSweep, RandomSampleOverTheWholeRange) {
  std::mt19937 random(7);
  for (int i = 0; i < 300000; ++i) {
    auto w = static_cast<int32_t>(random());
    auto h = static_cast<int32_t>(random());
    Check(w, h, static_cast<int32_t>(random() % 4));
  }
}

}  // namespace
