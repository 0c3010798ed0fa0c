#include <OpenImageIO/imageio.h>

#include "ImageFile.h"

struct ImageFile::Reader {
  std::unique_ptr<OIIO::ImageInput> input;
  // The size and pixel type, read once: all the check asks of a header.
  OIIO::ImageSpec header;
};

namespace {

// OpenImageIO's messages can run over several lines; the report gives one.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text.empty() ? "the image library gives no reason" : text;
}

}  // namespace

// OpenImageIO needs nothing of the threads that call it.
ImageThread::ImageThread() = default;
ImageThread::~ImageThread() = default;

std::unique_ptr<ImageFile> ImageFile::Open(const std::filesystem::path& path, std::string* pReason) {
  auto reader = std::make_unique<Reader>();
  reader->input = OIIO::ImageInput::open(path.string());
  if (!reader->input) {
    *pReason = OneLine(OIIO::geterror());
    return nullptr;
  }
  reader->header = reader->input->spec_dimensions(0);
  return std::unique_ptr<ImageFile>(new ImageFile(std::move(reader)));
}

ImageFile::ImageFile(std::unique_ptr<Reader> reader) : m_reader(std::move(reader)) {}
ImageFile::~ImageFile() = default;

int32_t ImageFile::Width() const { return m_reader->header.width; }
int32_t ImageFile::Height() const { return m_reader->header.height; }

bool ImageFile::Decode(DecodedImage* pImage, std::string* pReason) {
  const OIIO::ImageSpec& header = m_reader->header;
  pImage->nWidth = header.width;
  pImage->nHeight = header.height;
  pImage->nPixelBytes = header.pixel_bytes(true);
  pImage->bytes.resize(header.image_bytes(true));
  if (m_reader->input->read_image(0, 0, 0, header.nchannels, header.format, pImage->bytes.data())) return true;
  *pReason = OneLine(m_reader->input->geterror());
  return false;
}

// Every depth is read as 8 bits a channel, the colours over black as
// OpenImageIO associates alpha; a grey image gives its one channel to all
// three colours.
bool ImageFile::DecodeColumns(int32_t nFirst, int32_t nCount, FrameColumns* pColumns, std::string* pReason) {
  const OIIO::ImageSpec& header = m_reader->header;
  const int channels = header.nchannels;
  std::vector<unsigned char> bytes(static_cast<size_t>(header.width) * header.height * channels);
  if (!m_reader->input->read_image(0, 0, 0, channels, OIIO::TypeDesc::UINT8, bytes.data())) {
    *pReason = OneLine(m_reader->input->geterror());
    return false;
  }
  const int green = channels >= 3 ? 1 : 0;
  const int blue = channels >= 3 ? 2 : 0;
  pColumns->nWidth = nCount;
  pColumns->nHeight = header.height;
  pColumns->pixels.resize(static_cast<size_t>(nCount) * header.height);
  uint32_t* out = pColumns->pixels.data();
  for (int32_t y = 0; y < header.height; ++y) {
    const unsigned char* in = bytes.data() + (static_cast<size_t>(y) * header.width + nFirst) * channels;
    for (int32_t x = 0; x < nCount; ++x, in += channels) *out++ = uint32_t{in[blue]} | uint32_t{in[green]} << 8 | uint32_t{in[0]} << 16;
  }
  return true;
}
