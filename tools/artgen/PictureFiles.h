#pragma once
// The two file formats the resource compiler takes.

#include "Picture.h"

#include <string>
#include <vector>

// 24 bits per pixel, bottom-up rows, BITMAPINFOHEADER; alpha is dropped.
void WriteBmp24(const std::string& path, const Picture& picture);

// One 32-bit image (BGRA with its AND mask) per picture, each stored as a
// device-independent bitmap; pictures up to 256 pixels square.
void WriteIco(const std::string& path, const std::vector<Picture>& pictures);
