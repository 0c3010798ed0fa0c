#include "SetupTexts.h"

#include <windows.h>

#include <cstdio>

#include "SetupFormats.h"

namespace {

const wchar_t* const kStepNames[4] = {L"every frame", L"every 2nd frame", L"every 4th frame", L"every 8th frame"};

template <class... Args>
std::wstring Format(const wchar_t* format, Args... args) {
  wchar_t buffer[256];
  int n = std::swprintf(buffer, sizeof buffer / sizeof buffer[0], format, args...);
  return n < 0 ? std::wstring() : std::wstring(buffer, static_cast<size_t>(n));
}

// 2760000000 as 2,760,000,000.
std::wstring Grouped(uint64_t value) {
  std::wstring digits = std::to_wstring(value);
  for (size_t i = digits.size(); i > 3; i -= 3) digits.insert(i - 3, 1, L',');
  return digits;
}

std::wstring FovTip(const RenderRig& rig) {
  return Format(
      L"The camera's horizontal field of view.\r\n"
      L"On a %.0f mm film back: a %.3f mm lens, %.3f\u00B0 vertical field of view.",
      rig.dFilmBackWidthMm, rig.dFocalLengthMm, rig.dVerticalFovDeg);
}

std::wstring FramesTip(const RenderRig& rig, int nMode) {
  return Format(L"Frames along the %.0f mm camera track, rendering %ls.\r\nThe camera moves %g mm between frames.",
                rig.setup.dTrackLengthMm, kStepNames[nMode], rig.dCameraStepMm);
}

std::wstring ImageTip(const RenderRig& rig) {
  const double dGiB = static_cast<double>(rig.nBudgetBytesRgb8) / (1024.0 * 1024.0 * 1024.0);
  return Format(L"Each rendered image: %d \u00D7 %d px.\r\n", rig.nImageWidthPx, rig.nImageHeightPx) +
         Format(L"The whole render, %ls: %d images, ", kStepNames[rig.setup.nMode],
                rig.nFrameCount) +
         Grouped(rig.nBudgetPixels) + L" px, " + Grouped(rig.nBudgetBytesRgb8) +
         Format(L" bytes as 8-bit RGB (%.2f GiB).", dGiB);
}

RenderSetup WithMode(RenderSetup setup, int nMode) {
  setup.nMode = static_cast<RenderMode>(nMode);
  return setup;
}

}  // namespace

FieldTips MakeFieldTips(const RenderSetup& setup) {
  FieldTips tips;
  tips.strWidth = L"The hologram's width in whole millimetres.";
  tips.strHeight = L"The hologram's height in whole millimetres.";
  try {
    const RenderRig rig = MakeRenderRig(setup, Framing::Wide);
    tips.strFov = FovTip(rig);
    tips.strImage = ImageTip(rig);
    for (int nMode = 0; nMode < 4; ++nMode)
      tips.strFrames[nMode] = FramesTip(MakeRenderRig(WithMode(setup, nMode), Framing::Wide), nMode);
  } catch (const RigError& error) {
    const std::wstring strReason = Utf16(error.what());
    tips.strFov = L"The camera's horizontal field of view.\r\n" + strReason;
    tips.strImage = L"The size of each rendered image.\r\n" + strReason;
    for (int nMode = 0; nMode < 4; ++nMode)
      tips.strFrames[nMode] = Format(L"Frames along the camera track, rendering %ls.\r\n", kStepNames[nMode]) + strReason;
  }
  return tips;
}

std::wstring ResultsText(const RenderRig& rig) {
  std::string text;
  for (const ResultRow& row : ResultRows(rig)) text += row.strLabel + '\t' + row.strValue + '\t' + row.strUnit + "\r\n";
  return Utf16(text);
}

std::wstring SuggestedFileName(const RenderSetup& setup, std::wstring_view extension) {
  std::wstring step = kStepNames[setup.nMode];
  for (wchar_t& c : step)
    if (c == L' ') c = L'-';
  return Format(L"hologram-%dx%dmm-", setup.nWidthMm, setup.nHeightMm) + step + L"." + std::wstring(extension);
}

std::wstring Utf16(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int nSize = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(nSize), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), nSize);
  return text;
}
