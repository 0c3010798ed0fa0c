#include "ImageFileReader.h"

#include <cairo.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Le(const std::string& bytes, size_t offset, int count) {
  if (offset + count > bytes.size()) throw std::runtime_error("file too short");
  uint32_t v = 0;
  for (int i = count - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return v;
}

uint32_t Be32(const std::string& bytes, size_t offset) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes.at(offset + i));
  return v;
}

struct PngSource {
  const std::string& bytes;
  size_t offset;
};

cairo_status_t ReadPngBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* source = static_cast<PngSource*>(closure);
  if (source->offset + length > source->bytes.size()) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, source->bytes.data() + source->offset, length);
  source->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

// An 8-bit RGBA PNG counts as 32 bits per pixel; its pixels are decoded, with
// the alpha kept and the colours left premultiplied (only alpha is checked).
void ReadPngImage(const std::string& bytes, size_t start, IconImage& image) {
  image.bPng = true;
  image.nHeaderWidth = static_cast<int>(Be32(bytes, start + 16));
  image.nHeaderHeight = static_cast<int>(Be32(bytes, start + 20));
  const bool rgba8 = bytes.at(start + 24) == 8 && bytes.at(start + 25) == 6;
  image.nHeaderBitCount = rgba8 ? 32 : 0;
  PngSource source{bytes, start};
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(ReadPngBytes, &source);
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
      cairo_image_surface_get_width(surface) == image.nHeaderWidth) {
    const int size = image.nHeaderWidth;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    image.argb.resize(size_t(size) * size);
    for (int y = 0; y < size; ++y)
      std::memcpy(&image.argb[size_t(y) * size], data + size_t(y) * stride, size_t(size) * 4);
  }
  cairo_surface_destroy(surface);
}

}  // namespace

BmpFile ReadBmp24(const std::string& path) {
  const std::string bytes = ReadAll(path);
  if (Le(bytes, 0, 2) != 0x4D42) throw std::runtime_error(path + ": not a BMP file");
  if (Le(bytes, 14, 4) != 40) throw std::runtime_error(path + ": not a BITMAPINFOHEADER");
  BmpFile bmp;
  bmp.nWidth = static_cast<int32_t>(Le(bytes, 18, 4));
  bmp.nHeight = static_cast<int32_t>(Le(bytes, 22, 4));
  bmp.nBitCount = static_cast<int>(Le(bytes, 28, 2));
  if (bmp.nBitCount != 24 || Le(bytes, 30, 4) != 0 || bmp.nHeight <= 0)
    throw std::runtime_error(path + ": not an uncompressed bottom-up 24-bit bitmap");
  const size_t offset = Le(bytes, 10, 4);
  const size_t stride = (size_t(bmp.nWidth) * 3 + 3) / 4 * 4;
  bmp.rgb.resize(size_t(bmp.nWidth) * bmp.nHeight);
  for (int y = 0; y < bmp.nHeight; ++y) {
    const size_t row = offset + stride * (bmp.nHeight - 1 - y);
    for (int x = 0; x < bmp.nWidth; ++x) bmp.rgb[size_t(y) * bmp.nWidth + x] = Le(bytes, row + 3 * size_t(x), 3);
  }
  return bmp;
}

std::vector<IconImage> ReadIco(const std::string& path) {
  const std::string bytes = ReadAll(path);
  if (Le(bytes, 0, 2) != 0 || Le(bytes, 2, 2) != 1) throw std::runtime_error(path + ": not an icon file");
  std::vector<IconImage> images(Le(bytes, 4, 2));
  for (size_t i = 0; i < images.size(); ++i) {
    IconImage& image = images[i];
    const size_t entry = 6 + 16 * i;
    image.nDirectorySize = Le(bytes, entry, 1) ? static_cast<int>(Le(bytes, entry, 1)) : 256;
    image.nDirectoryBitCount = static_cast<int>(Le(bytes, entry + 6, 2));
    const size_t header = Le(bytes, entry + 12, 4);
    if (bytes.compare(header, 8, "\x89PNG\r\n\x1a\n") == 0) {
      ReadPngImage(bytes, header, images[i]);
      continue;
    }
    image.nHeaderWidth = static_cast<int32_t>(Le(bytes, header + 4, 4));
    image.nHeaderHeight = static_cast<int32_t>(Le(bytes, header + 8, 4));
    image.nHeaderBitCount = static_cast<int>(Le(bytes, header + 14, 2));
    if (image.nHeaderBitCount != 32) continue;
    const int size = image.nHeaderWidth;
    const size_t pixels = header + Le(bytes, header, 4);
    image.argb.resize(size_t(size) * size);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        image.argb[size_t(y) * size + x] = Le(bytes, pixels + 4 * (size_t(size - 1 - y) * size + x), 4);
  }
  return images;
}
