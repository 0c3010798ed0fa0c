#pragma once
// Reads the picture files under res/ the way the resource compiler takes them,
// independently of the generator that wrote them.

#include <cstdint>
#include <string>
#include <vector>

struct BmpFile {
  int nWidth = 0;
  int nHeight = 0;  // positive: rows stored bottom-up
  int nBitCount = 0;
  std::vector<uint32_t> rgb;  // 0xRRGGBB, rows from the top

  uint32_t At(int x, int y) const { return rgb[size_t(y) * nWidth + x]; }
};

// A 24-bit BITMAPINFOHEADER file; throws std::runtime_error on anything else.
BmpFile ReadBmp24(const std::string& path);

struct IconImage {
  int nDirectorySize = 0;  // from the directory entry, 0 read as 256
  int nDirectoryBitCount = 0;
  bool bPng = false;  // a PNG stream; the header fields then come from its IHDR
  int nHeaderWidth = 0;
  int nHeaderHeight = 0;  // colour and mask together: twice the width
  int nHeaderBitCount = 0;
  std::vector<uint32_t> argb;  // 32-bit images only, rows from the top

  uint8_t Alpha(int x, int y) const { return argb[size_t(y) * nHeaderWidth + x] >> 24; }
};

std::vector<IconImage> ReadIco(const std::string& path);

constexpr uint32_t Rgb(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }
constexpr int Red(uint32_t c) { return c >> 16 & 0xFF; }
constexpr int Green(uint32_t c) { return c >> 8 & 0xFF; }
constexpr int Blue(uint32_t c) { return c & 0xFF; }
