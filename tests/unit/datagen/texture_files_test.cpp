// The texture files named by the game's texture table, as the build generated
// them: 24-bit bitmaps of power-of-two sizes the game's reader sees alike,
// that look like something, tile without seams, and keep black where the game
// blends additively.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

#include "render/bitmap_image.h"
#include "platform/platform.h"
#include "render/texture_table.h"
#include "tests/support/recording_os.h"
#include "tests/unit/datagen/data_readers.h"

namespace {
size_t brightnessLevels(const BmpPicture& p) {
  std::set<int> levels;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) levels.insert(p.brightness(x, y));
  return levels.size();
}

bool powerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// Mean brightness difference between two columns (or rows when `rows`).
double lineDifference(const BmpPicture& p, int a, int b, bool rows) {
  double sum = 0.0;
  int count = rows ? p.width : p.height;
  for (int i = 0; i < count; ++i)
    sum += std::abs(rows ? p.brightness(i, a) - p.brightness(i, b) : p.brightness(a, i) - p.brightness(b, i));
  return sum / count;
}
}  // namespace

TEST(TextureFiles, EveryTableFileIsADetailedPowerOfTwoBitmapTheGamesReaderSeesAlike) {
  ScopedRecordingOs os;
  std::set<std::vector<uint8_t>> distinct;
  for (const char* path : textureFileNames) {  // "Data/BMP/<name>", relative to the game's folder
    SCOPED_TRACE(path);
    std::string file = std::string(BRAKMOOR_DATA_DIR) + "/" + path;
    BmpPicture p = readBmp(file);
    ASSERT_EQ(p.problem, "");
    EXPECT_TRUE(powerOfTwo(p.width) && powerOfTwo(p.height)) << p.width << " x " << p.height;
    EXPECT_GT(brightnessLevels(p), 5u) << "looks like a flat colour";
    distinct.insert(p.rgb);
    BitmapImage* image = platform().readBmpFile(file.c_str());
    ASSERT_NE(image, nullptr);
    std::vector<uint8_t> topRowFirst;  // the game's images keep the bottom row first
    for (size_t row = image->width * 3u, y = image->height; y-- > 0;)
      topRowFirst.insert(topRowFirst.end(), image->pixels + row * y, image->pixels + row * (y + 1));
    EXPECT_TRUE(image->width == p.width && topRowFirst == p.rgb) << "the game's reader sees another picture";
    freeBitmapImage(image);
  }
  EXPECT_EQ(distinct.size(), 31u) << "31 different files, each its own picture";
  EXPECT_TRUE(os->messageBoxes.empty());
}

TEST(TextureFiles, SurfacesHaveTextureAndRepeatWithoutVisibleSeams) {
  // Surfaces that cover walls, floors and ceilings, repeated across cells.
  for (const char* name : {"floor1.bmp", "brass640.bmp", "brick02b.bmp", "brick03b.bmp", "water01b.bmp", "water03b.bmp",
                           "stone09b.bmp", "marbl08b.bmp", "floor27b.bmp", "brick06b.bmp", "wood05b.bmp", "wood10b.bmp",
                           "floor09b.bmp", "floor13b.bmp", "grani02b.bmp", "grani03b.bmp", "grani07b.bmp",
                           "fence01b.bmp", "floor08b.bmp", "stone10b.bmp"}) {
    SCOPED_TRACE(name);
    BmpPicture p = readBmp(dataPath(std::string("BMP/") + name));
    ASSERT_EQ(p.problem, "");
    EXPECT_GT(brightnessLevels(p), 100u) << "a material needs texture, not a flat colour";
    for (bool rows : {false, true}) {
      // The yardstick: how much neighbouring lines inside the picture differ.
      int last = (rows ? p.height : p.width) - 1;
      double typical = 0.0;
      for (int i = 0; i < last; ++i) typical += lineDifference(p, i, i + 1, rows) / last;
      EXPECT_LT(lineDifference(p, last, 0, rows), 3.0 * typical + 6.0) << (rows ? "top/bottom" : "left/right");
    }
  }
}

TEST(TextureFiles, AdditivePicturesLieOnBlackWithLightInTheMiddle) {
  // Drawn with additive blending: black must stay black to be invisible.
  for (const char* name : {"m16.bmp", "rifle.bmp", "rifle_blast.bmp", "rifle_blast2.bmp", "crosshair.bmp"}) {
    SCOPED_TRACE(name);
    BmpPicture p = readBmp(dataPath(std::string("BMP/") + name));
    ASSERT_EQ(p.problem, "");
    int w = p.width - 1, h = p.height - 1;
    EXPECT_EQ(p.brightness(0, 0) + p.brightness(w, 0) + p.brightness(0, h / 2) + p.brightness(w, h / 2), 0);
    int brightest = 0;
    for (int y = h / 4; y <= 3 * h / 4; ++y)
      for (int x = w / 4; x <= 3 * w / 4; ++x) brightest = std::max(brightest, p.brightness(x, y));
    EXPECT_GT(brightest, 300);
  }
}
