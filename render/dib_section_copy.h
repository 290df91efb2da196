#pragma once
// The last step of reading a BMP file: the converted picture, a 24-bit DIB
// section (blue, green, red per pixel, rows padded to 4 bytes), becomes a
// BitmapImage with packed red, green, blue rows, bottom row first.

#include <cstdint>

#include "render/bitmap_image.h"

namespace dib {
// `height` has the section's sign: negative when its first row is the top
// row, and then the rows are turned over. The image's height is the row
// count. Null when memory runs out.
BitmapImage* imageFromBgrSection(const std::uint8_t* section, std::int32_t width,
                                 std::int32_t height);
}  // namespace dib
