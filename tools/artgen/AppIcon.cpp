#include "AppIcon.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

void RoundedSquare(cairo_t* cr, double inset, double size, double radius) {
  const double a = inset, b = size - inset;
  cairo_new_sub_path(cr);
  cairo_arc(cr, b - radius, a + radius, radius, -kPi / 2, 0);
  cairo_arc(cr, b - radius, b - radius, radius, 0, kPi / 2);
  cairo_arc(cr, a + radius, b - radius, radius, kPi / 2, kPi);
  cairo_arc(cr, a + radius, a + radius, radius, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void Tile(cairo_t* cr, double s) {
  RoundedSquare(cr, std::max(0.5, s * 0.03), s, s * 0.18);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, s);
  cairo_pattern_add_color_stop_rgb(fill, 0, 0.33, 0.33, 0.35);
  cairo_pattern_add_color_stop_rgb(fill, 1, 0.16, 0.16, 0.17);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
  cairo_set_line_width(cr, std::max(1.0, s / 48));
  cairo_stroke(cr);
}

// The plate shimmers from lilac to blue, as a hologram does when tilted.
void Plate(cairo_t* cr, double s, double top, double bottom) {
  cairo_rectangle(cr, s * 0.2, top, s * 0.6, bottom - top);
  cairo_pattern_t* shimmer = cairo_pattern_create_linear(s * 0.2, top, s * 0.8, bottom);
  cairo_pattern_add_color_stop_rgb(shimmer, 0, 0.77, 0.67, 0.91);
  cairo_pattern_add_color_stop_rgb(shimmer, 0.55, 0.28, 0.53, 0.96);
  cairo_pattern_add_color_stop_rgb(shimmer, 1, 0.02, 0.79, 0.07);
  cairo_set_source(cr, shimmer);
  cairo_fill(cr);
  cairo_pattern_destroy(shimmer);
}

}  // namespace

Picture DrawAppIcon(int size) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(surface);
  const double s = size;
  // Snapped to whole pixels so that the small sizes stay crisp.
  const double plateTop = std::round(s * 0.16), plateBottom = std::round(s * 0.40);
  const double cx = s / 2, cy = std::round(s * 0.76);

  Tile(cr, s);

  cairo_move_to(cr, cx, cy);
  cairo_line_to(cr, s * 0.2, plateBottom);
  cairo_line_to(cr, s * 0.8, plateBottom);
  cairo_close_path(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.2);
  cairo_fill(cr);
  Plate(cr, s, plateTop, plateBottom);

  // The field-of-view arc across the camera's view.
  const double left = std::atan2(plateBottom - cy, s * 0.2 - cx);
  const double right = std::atan2(plateBottom - cy, s * 0.8 - cx);
  cairo_set_source_rgb(cr, 0.91, 0.79, 0.0);
  cairo_set_line_width(cr, std::max(1.5, s * 0.075));
  cairo_arc(cr, cx, cy, (cy - plateBottom) * 0.62, left, right);
  cairo_stroke(cr);

  cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
  cairo_arc(cr, cx, cy, std::max(1.5, s * 0.075), 0, 2 * kPi);
  cairo_fill(cr);

  cairo_destroy(cr);
  Picture picture = PictureFromSurface(surface);
  cairo_surface_destroy(surface);
  return picture;
}
