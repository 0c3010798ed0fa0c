#include "Picture.h"

namespace {

// cairo keeps colours multiplied by alpha; icons want them straight.
uint32_t Unpremultiply(uint32_t argb) {
  uint32_t a = argb >> 24;
  if (a == 0) return 0;
  if (a == 255) return argb;
  auto straight = [a](uint32_t c) { return (c * 255 + a / 2) / a; };
  return a << 24 | straight(argb >> 16 & 0xFF) << 16 | straight(argb >> 8 & 0xFF) << 8 | straight(argb & 0xFF);
}

}  // namespace

Picture PictureFromSurface(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  Picture picture(cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface));
  const bool opaque = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24;
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < picture.nHeight; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < picture.nWidth; ++x)
      picture.At(x, y) = opaque ? (row[x] | 0xFF000000u) : Unpremultiply(row[x]);
  }
  return picture;
}
