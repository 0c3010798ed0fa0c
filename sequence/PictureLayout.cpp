#include <algorithm>

#include "ReportPicture.h"

namespace {

constexpr int32_t kMargin = 12;
constexpr int32_t kGap = 8;
constexpr int32_t kViewHeight = 160;
constexpr int32_t kMaxViewWidth = 240;
constexpr int32_t kBarHeight = 20;

// Frames 1, N/8, 2N/8 ... N: nine views across the track, fewer for a
// shorter sequence.
std::vector<int32_t> ViewFrames(int32_t nFrames) {
  std::vector<int32_t> frames;
  for (int32_t i = 0; i <= 8; ++i) {
    const int32_t frame = 1 + static_cast<int32_t>((int64_t{nFrames} - 1) * i / 8);
    if (frames.empty() || frames.back() != frame) frames.push_back(frame);
  }
  return frames;
}

// What a view that cannot show its frame says under it.
std::string BadWords(const CheckReport& report, int32_t frame) {
  const auto isFrame = [frame](const auto& f) { return f.nFrame == frame; };
  if (std::any_of(report.unreadable.begin(), report.unreadable.end(), isFrame)) return " unreadable";
  if (std::any_of(report.wrongSize.begin(), report.wrongSize.end(), isFrame)) return " wrong size";
  return " missing";
}

}  // namespace

PictureLayout LayOutPicture(const CheckOutcome& outcome) {
  const CheckReport& report = outcome.report;
  const RenderRig& rig = outcome.rig;
  const std::vector<FrameMark> marks = report.Marks();
  PictureLayout layout;
  // Every view shows the hologram's columns at the same scale.
  const int32_t columns = rig.Frame(1).nHologramLastPx - rig.Frame(1).nHologramFirstPx + 1;
  const double scale = std::min(double(kViewHeight) / rig.nImageHeightPx, double(kMaxViewWidth) / columns);
  const int32_t viewWidth = std::max(1, static_cast<int32_t>(columns * scale));
  const int32_t viewHeight = std::max(1, static_cast<int32_t>(rig.nImageHeightPx * scale));
  int32_t x = kMargin;
  for (int32_t frame : ViewFrames(report.nFramesExpected)) {
    PictureLayout::View view;
    view.nFrame = frame;
    view.strFile = outcome.files.FileOf(int64_t{frame} + report.nFirstFrame - 1);
    view.bDrawable = marks[static_cast<size_t>(frame - 1)] != FrameMark::Bad;
    const FramePose pose = rig.Frame(frame);
    view.nFirstColumn = pose.nHologramFirstPx;
    view.nColumns = pose.nHologramLastPx - pose.nHologramFirstPx + 1;
    view.nX = x;
    view.nY = kMargin;
    view.nWidth = viewWidth;
    view.nHeight = viewHeight;
    view.strLabel = std::to_string(frame) + (view.bDrawable ? "" : BadWords(report, frame));
    x += viewWidth + kGap;
    layout.views.push_back(view);
  }
  layout.nWidth = std::max(x - kGap + kMargin, 640);
  layout.nLabelY = kMargin + viewHeight + PictureLayout::kTextSize + 4;
  layout.nBarX = kMargin;
  layout.nBarY = layout.nLabelY + kGap;
  layout.nBarHeight = kBarHeight;
  // Each bar column shows the worst of the frames that fall on it.
  const int32_t barWidth = layout.nWidth - 2 * kMargin;
  const auto frames = static_cast<int64_t>(marks.size());
  for (int32_t column = 0; column < barWidth; ++column) {
    const int64_t begin = frames * column / barWidth;
    const int64_t end = std::max(begin + 1, frames * (column + 1) / barWidth);
    const FrameMark worst = *std::max_element(marks.begin() + begin, marks.begin() + end);
    layout.barColumns.push_back(worst == FrameMark::Bad       ? PictureLayout::kBad
                                : worst == FrameMark::Suspect ? PictureLayout::kSuspect
                                                          : PictureLayout::kSound);
  }
  layout.nCaptionY = layout.nBarY + kBarHeight + kGap + PictureLayout::kTextSize;
  layout.nHeight = layout.nCaptionY + kMargin;
  layout.strCaption = report.SummaryLine();
  return layout;
}
