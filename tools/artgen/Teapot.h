#pragma once
// The wire-frame teapot, the classic test object of rendering, drawn in the
// scene diagram, the rendered image and the final-hologram picture.

#include <cairo.h>

struct TeapotStyle {
  double dRed, dGreen, dBlue;
  double dLineWidth;
  double dHiddenAlpha;  // strength of the lines on the far side
};

// Fits the teapot into the box (x, y, width, height), centred, keeping its
// proportions.
void DrawTeapot(cairo_t* cr, double x, double y, double width, double height, const TeapotStyle& style);
