#include "WindowTexts.h"

#include <algorithm>
#include <cstdio>

#include "SetupFormats.h"

namespace {

template <class... Args>
std::string Format(const char* format, Args... args) {
  char buffer[256];
  const int n = std::snprintf(buffer, sizeof buffer, format, args...);
  return n < 0 ? std::string() : std::string(buffer, std::min(static_cast<size_t>(n), sizeof buffer - 1));
}

// 2760000000 as 2,760,000,000.
std::string Grouped(uint64_t value) {
  std::string digits = std::to_string(value);
  for (size_t i = digits.size(); i > 3; i -= 3) digits.insert(i - 3, 1, ',');
  return digits;
}

// The field shows the frustum centred on the camera; the lens the files export
// frames the image actually rendered, which a step above 1 makes narrower.
std::string FovTip(const RenderRig& rig) {
  return Format(
      "The camera's horizontal field of view.\r\n"
      "On a %.0f mm film back: a %.3f mm lens, %.3f\u00B0 horizontal and %.3f\u00B0 vertical field of view.",
      rig.dFilmBackWidthMm, rig.dFocalLengthMm, rig.dLensFovDeg, rig.dVerticalFovDeg);
}

// The camera moves one step's worth of frames at a time, so its step at any
// frame step scales with that step; the rig of the chosen one gives the unit.
std::string FramesTip(const RenderRig& rig, FrameStep step) {
  return Format("Frames along the %.0f mm camera track, rendering %s.\r\nThe camera moves %g mm between frames.",
                rig.setup.dTrackLengthMm, step.Words(), rig.dCameraStepMm / rig.step.Number() * step.Number());
}

std::string ImageTip(const RenderRig& rig) {
  const double dGiB = static_cast<double>(rig.nBudgetBytesRgb8) / (1024.0 * 1024.0 * 1024.0);
  // A plain x: the tip's font sets the multiplication sign off to one side.
  return Format("Each rendered image: %d x %d px.\r\n", rig.nImageWidthPx, rig.nImageHeightPx) +
         Format("The whole render, %s: %d images, ", rig.step.Words(), rig.nFrameCount) +
         Grouped(rig.nBudgetPixels) + " px, " + Grouped(rig.nBudgetBytesRgb8) +
         Format(" bytes as 8-bit RGB (%.2f GiB).", dGiB);
}

// A rig's reason is written to follow a colon; a tip gives it a line of its own.
std::string Sentence(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  if (!text.empty() && text.back() != '.') text += '.';
  return text;
}

}  // namespace

FieldTips MakeFieldTips(const RenderSetup& setup) {
  FieldTips tips;
  tips.strWidth = "The hologram's width in whole millimetres.";
  tips.strHeight = "The hologram's height in whole millimetres.";
  try {
    const RenderRig rig = MakeRenderRig(setup, Framing::Wide);
    tips.strFov = FovTip(rig);
    tips.strImage = ImageTip(rig);
    for (FrameStep step : FrameStep::All()) tips.strFrames[step.Mode()] = FramesTip(rig, step);
  } catch (const RigError& error) {
    const std::string strReason = Sentence(error.what());
    tips.strFov = "The camera's horizontal field of view.\r\n" + strReason;
    tips.strImage = "The size of each rendered image.\r\n" + strReason;
    for (FrameStep step : FrameStep::All())
      tips.strFrames[step.Mode()] = Format("Frames along the camera track, rendering %s.\r\n", step.Words()) + strReason;
  }
  return tips;
}

std::string ResultsText(const RenderRig& rig) {
  std::string text;
  for (const ResultRow& row : ResultRows(rig)) text += row.strLabel + '\t' + row.strValue + '\t' + row.strUnit + "\r\n";
  return text;
}

std::string SuggestedFileStem(const RenderSetup& setup, Framing framing) {
  std::string step = FrameStep(setup.nMode).Words();
  for (char& c : step)
    if (c == ' ') c = '-';
  return Format("hologram-%dx%dmm-", setup.nWidthMm, setup.nHeightMm) + step + "-" + FramingName(framing);
}
