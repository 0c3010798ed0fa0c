#pragma once
// The calculator's record for a hologram of the given size and frame step,
// every scene constant as the window has it; a test changes what it needs.
#include "RenderCalculator.h"

inline RenderSetup HologramSetup(int32_t nWidthMm, int32_t nHeightMm, RenderMode nMode = RenderEveryFrame) {
  RenderSetup setup;
  setup.nWidthMm = nWidthMm;
  setup.nHeightMm = nHeightMm;
  setup.nMode = nMode;
  return setup;
}
