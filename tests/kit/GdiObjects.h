#pragma once

// The number of graphics objects (brushes, bitmaps, fonts, device contexts,
// stock objects included) alive in this process.
int CountGdiObjects();
