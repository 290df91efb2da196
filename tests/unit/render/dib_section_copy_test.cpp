#include "render/dib_section_copy.h"

#include <gtest/gtest.h>

#include <vector>

#include "render/dib_header.h"
#include "tests/unit/render/bmp_test_files.h"

using namespace bmptest;

namespace {
// A 24-bit section holding `picture` in blue, green, red order, with every
// padding byte set to a marker that must never reach the image.
std::vector<std::uint8_t> sectionOf(const Picture& picture, bool topDown) {
  std::size_t stride = dib::rowStride(picture.width, 24);
  std::vector<std::uint8_t> section(stride * picture.height, 0xEE);
  for (int i = 0; i < picture.height; ++i) {
    int row = topDown ? picture.height - 1 - i : i;
    for (int x = 0; x < picture.width; ++x) {
      const Rgb& c = picture.at(x, row);
      std::uint8_t* p = &section[stride * i + 3 * x];
      p[0] = c.b;
      p[1] = c.g;
      p[2] = c.r;
    }
  }
  return section;
}
}  // namespace

TEST(DibSectionCopy, RowsArePackedRedGreenBlueForEveryWidth) {
  for (int width : {1, 2, 3, 4, 5, 7, 13}) {
    SCOPED_TRACE(width);
    Picture picture = patterned(width, 5, distinctColours(11));
    std::vector<std::uint8_t> section = sectionOf(picture, false);
    BitmapImage* image = dib::imageFromBgrSection(section.data(), width, 5);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, width);
    EXPECT_EQ(image->height, 5);
    std::vector<std::uint8_t> got(image->pixels, image->pixels + 3 * width * 5);
    EXPECT_EQ(got, picture.rgbBytes());
    freeBitmapImage(image);
  }
}

TEST(DibSectionCopy, TopDownSectionsAreTurnedBottomRowFirst) {
  for (int width : {1, 3, 6}) {
    SCOPED_TRACE(width);
    Picture picture = patterned(width, 4, distinctColours(9));
    std::vector<std::uint8_t> section = sectionOf(picture, true);
    BitmapImage* image = dib::imageFromBgrSection(section.data(), width, -4);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->height, 4);
    std::vector<std::uint8_t> got(image->pixels, image->pixels + 3 * width * 4);
    EXPECT_EQ(got, picture.rgbBytes());
    freeBitmapImage(image);
  }
}
