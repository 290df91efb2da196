#pragma once
// An RGB picture read from a BMP file: 3 bytes per pixel (red, green, blue),
// rows packed without gaps, bottom row first (OpenGL's texture origin). The
// record and its pixel block come from malloc; freeBitmapImage releases both.

#include <cstdint>

struct BitmapImage {
  std::int32_t width;
  std::int32_t height;
  std::uint8_t* pixels;
};

// Null for a null name or a file that cannot be opened for reading, without
// any message; otherwise whatever readDibFile (render/dib_reader.h) gives.
BitmapImage* loadBitmapFile(const char* fileName);

// Releases the pixel block and then the record; null is allowed.
void freeBitmapImage(BitmapImage* image);
