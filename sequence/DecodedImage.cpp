#include <algorithm>
#include <cstring>

#include "ImageFile.h"

bool DecodedImage::UniformInColumns(int32_t nFirst, int32_t nLast) const {
  nFirst = std::max(nFirst, 0);
  nLast = std::min(nLast, nWidth - 1);
  if (nFirst > nLast || nHeight < 1) return true;
  const size_t rowBytes = static_cast<size_t>(nWidth) * nPixelBytes;
  const unsigned char* first = bytes.data() + static_cast<size_t>(nFirst) * nPixelBytes;
  for (int32_t y = 0; y < nHeight; ++y) {
    const unsigned char* row = bytes.data() + static_cast<size_t>(y) * rowBytes;
    for (int32_t x = nFirst; x <= nLast; ++x) {
      if (std::memcmp(row + static_cast<size_t>(x) * nPixelBytes, first, nPixelBytes) != 0) return false;
    }
  }
  return true;
}
