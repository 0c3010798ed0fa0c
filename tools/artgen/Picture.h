#pragma once
// A picture in memory: 0xAARRGGBB pixels, rows from the top, the colour
// components not multiplied by alpha.

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <vector>

struct Picture {
  int nWidth = 0;
  int nHeight = 0;
  std::vector<uint32_t> pixels;

  Picture(int width, int height) : nWidth(width), nHeight(height), pixels(size_t(width) * height) {}

  uint32_t& At(int x, int y) { return pixels[size_t(y) * nWidth + x]; }
  uint32_t At(int x, int y) const { return pixels[size_t(y) * nWidth + x]; }
};

constexpr uint32_t Rgb(int r, int g, int b) { return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }
constexpr uint32_t Grey(int level) { return Rgb(level, level, level); }

// Reads a finished cairo image surface (RGB24 or ARGB32).
Picture PictureFromSurface(cairo_surface_t* surface);
