// Every text the calculator makes for a fixed sample of inputs (the edges of the
// int range, the formula's own edges and a seeded random sample), compared
// with one committed table. The host build and the Windows build under Wine
// both run this, so they are held to the same characters.
#include "RenderTexts.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "SetupBuilders.h"

namespace {

std::vector<RenderSetup> Sample() {
  const int32_t edges[] = {INT_MIN, INT_MIN + 1, -201, -200, -199, -1, 0, 1, 2, 3, 20, 30, 57,
                           100, 1000, 214748164, 214748165, 214748364, 214748365,
                           INT_MAX - 1, INT_MAX};
  std::vector<RenderSetup> setups;
  auto add = [&](int32_t w, int32_t h, int32_t mode) { setups.push_back(HologramSetup(w, h, static_cast<RenderMode>(mode))); };
  for (int32_t w : edges)
    for (int32_t h : edges)
      for (int32_t mode = 0; mode < 4; ++mode) add(w, h, mode);
  std::mt19937 random(20261207);
  for (int i = 0; i < 600; ++i) {
    auto w = static_cast<int32_t>(random());
    auto h = static_cast<int32_t>(random());
    add(w, h, static_cast<int32_t>(random() % 4));
    add(static_cast<int32_t>(random() % 100000), static_cast<int32_t>(random() % 100000),
        static_cast<int32_t>(random() % 4));
  }
  return setups;
}

std::string Dump() {
  std::ostringstream out;
  for (const RenderSetup& s : Sample()) {
    RenderTexts t = FormatRenderTexts(s, CalculateRendering(s));
    out << s.nWidthMm << ' ' << s.nHeightMm << ' ' << s.nMode;
    for (const std::string* text :
         {&t.strFov, &t.strImageHeight, &t.strImageWidth, &t.strFrames[0], &t.strFrames[1],
          &t.strFrames[2], &t.strFrames[3], &t.strTrackLength, &t.strTrackStart, &t.strTrackEnd,
          &t.strDistance})
      out << '|' << *text;
    out << '\n';
  }
  return out.str();
}

TEST(RenderTexts, MatchTheCommittedTable) {
  const std::string actual = Dump();
  if (std::getenv("VANTOREL_WRITE_GOLDEN")) {
    std::ofstream(RENDER_TEXTS_GOLDEN, std::ios::binary) << actual;
    GTEST_SKIP() << "wrote " << RENDER_TEXTS_GOLDEN;
  }
  std::ifstream file(RENDER_TEXTS_GOLDEN, std::ios::binary);
  ASSERT_TRUE(file) << "cannot read " << RENDER_TEXTS_GOLDEN;
  std::stringstream expected;
  expected << file.rdbuf();

  std::istringstream want(expected.str()), got(actual);
  std::string want_line, got_line;
  for (int line = 1; std::getline(want, want_line); ++line) {
    ASSERT_TRUE(std::getline(got, got_line)) << "missing line " << line;
    ASSERT_EQ(got_line, want_line) << "line " << line;
  }
  EXPECT_FALSE(std::getline(got, got_line)) << "extra line: " << got_line;
}

}  // namespace
