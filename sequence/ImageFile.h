#pragma once
// An image file as the check needs it: its size from the header alone, and
// its pixels only when asked. Read by the platform's well-kept library
// (OpenImageIO on Linux, the Windows Imaging Component on Windows); one of
// ImageFileOiio.cpp and ImageFileWic.cpp is built.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// Decoded pixels, row by row. The layout (channels, bytes per channel) is
// the reader's and the same for every file of one format and depth, so two
// images are equal when their sizes and bytes are.
struct DecodedImage {
  int32_t nWidth = 0;
  int32_t nHeight = 0;
  size_t nPixelBytes = 0;
  std::vector<unsigned char> bytes;

  bool operator==(const DecodedImage&) const = default;
  // Every pixel in columns first..last (inclusive) has one value.
  bool UniformInColumns(int32_t nFirst, int32_t nLast) const;
};

// A frame's hologram columns as 32-bit top-down rows, bytes B, G, R, zero: a
// DIB section's layout, so a window draws them as they are. Where a frame is
// transparent its colours are shown over black, as the hologram shows them.
struct FrameColumns {
  int32_t nWidth = 0;
  int32_t nHeight = 0;
  std::vector<uint32_t> pixels;
};

// Held by every thread while it opens image files: on Windows it joins the
// thread to COM and keeps the thread's imaging factory. Scopes may nest; the
// outermost one owns. A thread already in a single-threaded apartment (a
// window's) stays there: only the factory is added and released. (A
// thread_local owner would do this unasked, but its destructor crashes in the
// static mingw runtime.)
class ImageThread {
 public:
  ImageThread();
  ~ImageThread();
  ImageThread(const ImageThread&) = delete;
  ImageThread& operator=(const ImageThread&) = delete;

 private:
  [[maybe_unused]] bool m_bOwner = false;
  [[maybe_unused]] bool m_bJoinedCom = false;
};

class ImageFile {
 public:
  // Reads the header only; the calling thread holds an ImageThread. Null, with the reader's reason, for a file it
  // cannot read as an image.
  static std::unique_ptr<ImageFile> Open(const std::filesystem::path& path, std::string* pReason);
  ~ImageFile();
  ImageFile(const ImageFile&) = delete;
  ImageFile& operator=(const ImageFile&) = delete;

  int32_t Width() const;
  int32_t Height() const;
  // Decodes every pixel into *pImage, reusing its buffer. False, with the
  // reader's reason, for a truncated or corrupt file.
  bool Decode(DecodedImage* pImage, std::string* pReason);
  // Decodes only columns nFirst..nFirst+nCount-1, which lie within the
  // image, into *pColumns. False, with the reader's reason, as Decode.
  bool DecodeColumns(int32_t nFirst, int32_t nCount, FrameColumns* pColumns, std::string* pReason);

 private:
  struct Reader;
  explicit ImageFile(std::unique_ptr<Reader> reader);
  std::unique_ptr<Reader> m_reader;
};
