// The frames a window shows and the check's progress on both builds, on the tool
// test's tiny rig (eight frames of 12 x 3 px) written as BMP, which every reader reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "FrameCache.h"
#include "SequenceCheck.h"
#include "SetupBuilders.h"
#ifdef _WIN32
#include <objbase.h>
#endif

namespace {

namespace fs = std::filesystem;

// Frame k's pixel (x, y) as the cache gives it: bytes B, G, R, 0.
uint32_t Pixel(int32_t k, int32_t x, int32_t y) { return uint32_t(y * 80 | x * 20 << 8 | k * 20 << 16); }

void WriteFrame(const fs::path& path, int32_t k, int32_t width) {
  const size_t row = (width * 3 + 3) & ~3;
  std::string bytes(54 + row * 3, '\0');
  const auto put = [&bytes](size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = char(value >> 8 * i);
  };
  put(0, 'B' | 'M' << 8, 2), put(2, bytes.size(), 4), put(10, 54, 4), put(14, 40, 4);
  put(18, width, 4), put(22, 3, 4), put(26, 1, 2), put(28, 24, 2);
  for (int32_t i = 0; i < width * 3; ++i) put(54 + (2 - i / width) * row + i % width * 3, Pixel(k, i % width, i / width), 3);
  std::ofstream(path, std::ios::binary) << bytes;
}

// Frames with the words the report and the cache both give them; none for a sound one.
const std::pair<int32_t, const char*> kFrameWords[] = {
    {1, ""}, {2, "missing"}, {3, "zero bytes"}, {4, "wrong size: 13 x 3 px, expected 12 x 3 px"}, {5, "cannot be read: "}};

class Frames : public ::testing::Test {
 protected:
  void SetUp() override {
    m_request.folder = fs::temp_directory_path() / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::create_directories(m_request.folder);
    for (int32_t k = 1; k <= 8; ++k) WriteFrame(Path(k), k, k == 4 ? 13 : 12);
    fs::remove(Path(2)), fs::resize_file(Path(3), 0), fs::resize_file(Path(5), 20);
    m_request.setup = HologramSetup(4, 3);
    m_request.setup.dPixelPitchMm = 1, m_request.setup.dTrackLengthMm = 8, m_request.setup.dCameraDistanceMm = 20;
    m_request.nJobs = 2;
  }
  void TearDown() override { fs::remove_all(m_request.folder); }
  fs::path Path(int32_t k) const { return m_request.folder / ("frame_000" + std::to_string(k) + ".bmp"); }
  FrameCache Cache(size_t nFrames) const {
    return FrameCache(SequenceFiles::Find(m_request.folder, {}), MakeRenderRig(m_request.setup, Framing::Wide), 1, nFrames * 4 * 3 * 4);
  }

  CheckRequest m_request;
};

// The words the report holds for a frame, as a view of it shows them.
std::string ReportWords(const CheckReport& report, int32_t frame) {
  const auto size = [](int32_t w, int32_t h) { return std::to_string(w) + " x " + std::to_string(h) + " px"; };
  if (std::ranges::binary_search(report.missing, frame)) return "missing";
  for (const UnreadableFrame& f : report.unreadable)
    if (f.nFrame == frame) return f.strReason;
  for (const WrongSizeFrame& f : report.wrongSize)
    if (f.nFrame == frame)
      return "wrong size: " + size(f.nWidthPx, f.nHeightPx) + ", expected " + size(report.nImageWidthPx, report.nImageHeightPx);
  return {};
}

TEST_F(Frames, ReportAndCacheGiveABadFrameTheSameWords) {
  const CheckReport report = CheckSequence(m_request).report;
  using enum FrameMark;
  EXPECT_EQ(report.Marks(), std::vector<FrameMark>({Sound, Bad, Bad, Bad, Bad, Sound, Sound, Sound}));
  const ImageThread reading;
  FrameCache cache = Cache(8);
  for (const auto& [frame, words] : kFrameWords) {
    std::string reason;
    EXPECT_EQ(!cache.Get(frame, &reason), *words != '\0');
    EXPECT_EQ(reason.rfind(words, 0), 0u) << frame << ": " << reason;
    EXPECT_EQ(ReportWords(report, frame), reason);
  }
}

// On a window's thread, which joined COM as a single-threaded apartment and stays in it.
TEST_F(Frames, CacheGivesTheHologramsColumnsAndKeepsWithinItsBudget) {
#ifdef _WIN32
  ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
#endif
  {
    const ImageThread reading;
    const RenderRig rig = MakeRenderRig(m_request.setup, Framing::Wide);
    FrameCache cache = Cache(8);
    std::string reason;
    for (int32_t k : {1, 6, 7, 8}) {
      const std::shared_ptr<const FrameColumns> columns = cache.Get(k, &reason);
      ASSERT_TRUE(columns && columns->nWidth == 4 && columns->nHeight == 3) << k << ": " << reason;
      for (int32_t i = 0; i < 12; ++i) EXPECT_EQ(columns->pixels[i], Pixel(k, rig.Frame(k).nHologramFirstPx + i % 4, i / 4)) << k;
    }
    // Frames read in one order, then in the other: how many come back as kept.
    for (const auto& [budgetFrames, kept] : {std::pair{0, 1}, {2, 2}, {8, 4}}) {
      FrameCache small = Cache(budgetFrames);
      std::map<int32_t, std::shared_ptr<const FrameColumns>> first;
      for (int32_t k : {1, 6, 7, 8}) first[k] = small.Get(k, &reason);
      int32_t same = 0;
      for (int32_t k : {8, 7, 6, 1}) same += small.Get(k, &reason) == first[k];
      EXPECT_EQ(same, kept) << budgetFrames;
    }
  }
#ifdef _WIN32
  EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
  ::CoUninitialize(), ::CoUninitialize();
#endif
}

TEST_F(Frames, ProgressComesOncePerFrameAndCancelStopsTheCheck) {
  std::vector<FrameMark> marks(8);
  std::vector<int32_t> calls(8);
  // Each frame's entries are written by the one worker that judges it.
  CheckProgress progress{[&](int32_t k, FrameMark mark) { ++calls[k - 1], marks[k - 1] = mark; }};
  EXPECT_EQ(CheckSequence(m_request, progress).report.Marks(), marks);
  EXPECT_EQ(calls, std::vector<int32_t>(8, 1));

  std::atomic<bool> cancel{false};
  int32_t judged = 0;
  progress = {[&](int32_t, FrameMark) { ++judged, cancel = true; }, &cancel};
  m_request.nJobs = 1;
  EXPECT_THROW(CheckSequence(m_request, progress), CheckCancelled);
  EXPECT_EQ(judged, 1);
}

TEST_F(Frames, AdvanceCheckSettlesTheRigAndRefusesWhatTheCheckRefuses) {
  EXPECT_EQ(CheckRequestPossible(m_request).rig.nImageWidthPx, 12);
  m_request.folder /= "none";
  EXPECT_THROW(CheckRequestPossible(m_request), CheckError);
}

}  // namespace
