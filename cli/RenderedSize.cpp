#include "RenderedSize.h"

#include <charconv>
#include <functional>
#include <limits>

namespace {

constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();

// The largest size from 1 mm up that fits, for a fit that fails from some
// size on and never again holds above it.
int32_t Largest(const std::function<bool(int32_t)>& fits) {
  if (!fits(1)) return 0;
  int32_t low = 1;
  int32_t high = kIntMax;
  while (low < high) {
    const int32_t middle = low + (high - low + 1) / 2;
    if (fits(middle)) low = middle;
    else high = middle - 1;
  }
  return low;
}

void NoteSide(std::vector<std::string>& notes, const char* side, int32_t mm, int32_t px, double pitch) {
  const std::string rendered = Decimal(px * pitch);
  if (rendered == std::to_string(mm)) return;
  notes.push_back("at " + Decimal(pitch) + " mm per pixel the " + std::to_string(mm) + " mm " + side + " renders as " +
                  std::to_string(px) + " px, " + rendered + " mm");
}

}  // namespace

// The image is widest at the whole span, track and hologram together.
int32_t LargestWidthMm(RenderSetup setup) {
  return Largest([&setup](int32_t mm) {
    setup.nWidthMm = mm;
    const RenderResult result = CalculateRendering(setup);
    return result.nSpanPx < kIntMax && result.nWidthPx < kIntMax;
  });
}

int32_t LargestHeightMm(RenderSetup setup) {
  return Largest([&setup](int32_t mm) {
    setup.nHeightMm = mm;
    return CalculateRendering(setup).nHeightPx < kIntMax;
  });
}

std::vector<std::string> RenderedSizeNotes(const RenderRig& rig) {
  const FramePose first = rig.Frame(1);
  std::vector<std::string> notes;
  NoteSide(notes, "width", rig.setup.nWidthMm, first.nHologramLastPx - first.nHologramFirstPx + 1, rig.setup.dPixelPitchMm);
  NoteSide(notes, "height", rig.setup.nHeightMm, rig.nImageHeightPx, rig.setup.dPixelPitchMm);
  return notes;
}

// Twelve significant digits: what a user typed, without the binary noise of
// a product such as 333 x 0.3.
std::string Decimal(double value) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 12).ptr;
  return std::string(buffer, end);
}
