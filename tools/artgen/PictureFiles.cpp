#include "PictureFiles.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace {

class ByteWriter {
 public:
  void U8(uint32_t v) { m_bytes.push_back(static_cast<char>(v & 0xFF)); }
  void U16(uint32_t v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(uint32_t v) {
    U16(v);
    U16(v >> 16);
  }
  void Zeros(size_t count) { m_bytes.append(count, '\0'); }
  const std::string& Bytes() const { return m_bytes; }
  void Append(const std::string& bytes) { m_bytes += bytes; }

 private:
  std::string m_bytes;
};

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

void InfoHeader(ByteWriter& w, int width, int height, int bitCount, uint32_t imageSize) {
  w.U32(40);
  w.U32(static_cast<uint32_t>(width));
  w.U32(static_cast<uint32_t>(height));
  w.U16(1);
  w.U16(static_cast<uint32_t>(bitCount));
  w.U32(0);  // BI_RGB
  w.U32(imageSize);
  w.U32(2835);  // 72 dpi
  w.U32(2835);
  w.U32(0);
  w.U32(0);
}

// The image of one icon entry: header with doubled height, BGRA rows and the
// 1-bit AND mask (set where the icon is fully transparent), both bottom-up.
std::string IconImage(const Picture& p) {
  const size_t maskStride = ((size_t(p.nWidth) + 31) / 32) * 4;
  ByteWriter w;
  InfoHeader(w, p.nWidth, 2 * p.nHeight, 32, static_cast<uint32_t>(p.pixels.size() * 4 + maskStride * p.nHeight));
  for (int y = p.nHeight - 1; y >= 0; --y)
    for (int x = 0; x < p.nWidth; ++x) w.U32(p.At(x, y));
  for (int y = p.nHeight - 1; y >= 0; --y) {
    std::string row(maskStride, '\0');
    for (int x = 0; x < p.nWidth; ++x)
      if ((p.At(x, y) >> 24) == 0) row[size_t(x) / 8] = static_cast<char>(row[size_t(x) / 8] | 0x80 >> (x % 8));
    w.Append(row);
  }
  return w.Bytes();
}

// The largest images go in as PNG, as the platform allows from 256 pixels up:
// uncompressed, the 256-pixel image alone would be a quarter megabyte of the
// program.
constexpr int kPngFromSize = 256;

cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

std::string PngImage(const Picture& p) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, p.nWidth, p.nHeight);
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < p.nHeight; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < p.nWidth; ++x) {
      const uint32_t c = p.At(x, y), a = c >> 24;
      auto premultiply = [a](uint32_t v) { return (v * a + 127) / 255; };
      row[x] = a << 24 | premultiply(c >> 16 & 0xFF) << 16 | premultiply(c >> 8 & 0xFF) << 8 | premultiply(c & 0xFF);
    }
  }
  cairo_surface_mark_dirty(surface);
  std::string png;
  cairo_status_t status = cairo_surface_write_to_png_stream(surface, AppendToString, &png);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot encode the icon as PNG");
  return png;
}

}  // namespace

void WriteBmp24(const std::string& path, const Picture& picture) {
  const size_t stride = (size_t(picture.nWidth) * 3 + 3) / 4 * 4;
  const uint32_t imageSize = static_cast<uint32_t>(stride * picture.nHeight);
  ByteWriter w;
  w.U16('B' | 'M' << 8);
  w.U32(14 + 40 + imageSize);
  w.U32(0);
  w.U32(14 + 40);
  InfoHeader(w, picture.nWidth, picture.nHeight, 24, imageSize);
  for (int y = picture.nHeight - 1; y >= 0; --y) {
    for (int x = 0; x < picture.nWidth; ++x) {
      uint32_t c = picture.At(x, y);
      w.U8(c);
      w.U8(c >> 8);
      w.U8(c >> 16);
    }
    w.Zeros(stride - size_t(picture.nWidth) * 3);
  }
  WriteFile(path, w.Bytes());
}

void WriteIco(const std::string& path, const std::vector<Picture>& pictures) {
  std::vector<std::string> images;
  for (const Picture& p : pictures) images.push_back(p.nWidth >= kPngFromSize ? PngImage(p) : IconImage(p));

  ByteWriter w;
  w.U16(0);
  w.U16(1);  // icon
  w.U16(static_cast<uint32_t>(pictures.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * pictures.size());
  for (size_t i = 0; i < pictures.size(); ++i) {
    w.U8(pictures[i].nWidth & 0xFF);  // 256 is written as 0
    w.U8(pictures[i].nHeight & 0xFF);
    w.U8(0);
    w.U8(0);
    w.U16(1);
    w.U16(32);
    w.U32(static_cast<uint32_t>(images[i].size()));
    w.U32(offset);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const std::string& image : images) w.Append(image);
  WriteFile(path, w.Bytes());
}
