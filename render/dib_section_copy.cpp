#include "render/dib_section_copy.h"

#include <cstddef>
#include <cstdlib>

#include "render/dib_header.h"

namespace dib {

BitmapImage* imageFromBgrSection(const std::uint8_t* section, std::int32_t width,
                                 std::int32_t height) {
  std::int32_t rows = height < 0 ? -height : height;
  std::size_t packedRow = 3 * static_cast<std::size_t>(width);
  std::size_t stride = rowStride(width, 24);
  auto* pixels = static_cast<std::uint8_t*>(std::malloc(packedRow * rows));
  auto* image = static_cast<BitmapImage*>(std::malloc(sizeof(BitmapImage)));
  if (pixels == nullptr || image == nullptr) {
    std::free(pixels);
    std::free(image);
    return nullptr;
  }
  std::uint8_t* out = pixels;
  for (std::int32_t row = 0; row < rows; ++row) {
    std::int32_t sourceRow = height < 0 ? rows - 1 - row : row;
    const std::uint8_t* in = section + stride * sourceRow;
    for (std::int32_t x = 0; x < width; ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  image->width = width;
  image->height = rows;
  image->pixels = pixels;
  return image;
}
}  // namespace dib
