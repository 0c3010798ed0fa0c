#pragma once
// What a hologram's size becomes in pixels: the calculator cuts each side to
// whole pixels at the pitch, and holds a count past 32 bits at its top, which
// the rig refuses. The tool tells a user both before they find out in a render.

#include <cstdint>
#include <string>
#include <vector>

#include "RenderRig.h"

// The largest width, and height, in whole millimetres whose pixel counts the
// rig takes at this setup's pitch and track; 0 when not even 1 mm fits.
int32_t LargestWidthMm(RenderSetup setup);
int32_t LargestHeightMm(RenderSetup setup);

// A note for each side that is not a whole number of pixels at the pitch,
// e.g. "at 0.3 mm per pixel the 100 mm width renders as 333 px, 99.9 mm".
std::vector<std::string> RenderedSizeNotes(const RenderRig& rig);

// A length as a user writes it: 0.1, 99.9, 200.
std::string Decimal(double value);
