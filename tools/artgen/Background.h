#pragma once
// The calculator window's face, bitmap 129: every caption, frame and diagram
// on the dark canvas, placed around the pixel rectangles the dialog's fields
// get.

#include "Picture.h"

constexpr int kBackgroundWidth = 800;
constexpr int kBackgroundHeight = 578;

Picture DrawBackground();
