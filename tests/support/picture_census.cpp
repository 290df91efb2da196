#include "tests/support/picture_census.h"

namespace {

// Pixel (x, y) from the top-left corner; the picture's rows run bottom first.
const std::uint8_t* pixelAt(const std::vector<std::uint8_t>& pixels, int width, int x, int y) {
  const int height = static_cast<int>(pixels.size() / 4 / width);
  return &pixels[(static_cast<std::size_t>(height - 1 - y) * width + x) * 4];
}

}  // namespace

Census census(const std::vector<std::uint8_t>& pixels, int width, Box box) {
  Census result;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const std::uint8_t* p = pixelAt(pixels, width, x, y);
      if (p[0] + p[1] + p[2] == 0) continue;
      if (p[0] == 0 && p[2] == 0) {
        ++result.green;
      } else if (p[1] == 0 && p[2] == 0) {
        ++result.red;
      } else {
        ++result.other;
      }
    }
  }
  return result;
}

int differingPixels(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b, int width, Box box) {
  int count = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const std::uint8_t *p = pixelAt(a, width, x, y), *q = pixelAt(b, width, x, y);
      count += p[0] != q[0] || p[1] != q[1] || p[2] != q[2];
    }
  }
  return count;
}
