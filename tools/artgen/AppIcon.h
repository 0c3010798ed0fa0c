#pragma once
// The program's icon: a hologram plate seen by a camera, on a dark tile.

#include "Picture.h"

// One square image of the icon, 32 bits with alpha.
Picture DrawAppIcon(int size);
