#pragma once
// An RGB picture read from a BMP file: 3 bytes per pixel (red, green, blue),
// rows packed without gaps, bottom row first (OpenGL's texture origin). The
// record and its pixel block come from malloc; freeBitmapImage
// (render/bitmap_image.h) releases both.

#include <cstdint>

struct BitmapImage {
  std::int32_t width;
  std::int32_t height;
  std::uint8_t* pixels;
};
