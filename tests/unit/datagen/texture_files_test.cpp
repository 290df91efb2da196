// The 32 texture files named by the game's texture table, as the build
// generated them: readable 24-bit bitmaps of power-of-two sizes that look like
// something, tile without seams, and keep black where the game blends
// additively.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

#include "render/bitmap_image.h"
#include "render/texture_table.h"
#include "tests/support/recording_os.h"
#include "tests/unit/datagen/data_readers.h"

namespace {
// Surfaces that cover walls, floors and ceilings, repeated across cells.
const char* const kTilingSurfaces[] = {"floor1.bmp",   "brass640.bmp", "brick02b.bmp", "brick03b.bmp", "water01b.bmp",
                                       "water03b.bmp", "stone09b.bmp", "marbl08b.bmp", "floor27b.bmp", "brick06b.bmp",
                                       "wood05b.bmp",  "wood10b.bmp",  "floor09b.bmp", "floor13b.bmp", "grani02b.bmp",
                                       "grani03b.bmp", "grani07b.bmp", "fence01b.bmp", "floor08b.bmp", "stone10b.bmp"};

// Drawn with additive blending: black must stay black to be invisible.
const char* const kAdditivePictures[] = {"m16.bmp", "rifle.bmp", "rifle_blast.bmp", "rifle_blast2.bmp",
                                         "crosshair.bmp"};

size_t brightnessLevels(const BmpPicture& p) {
  std::set<int> levels;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) levels.insert(p.brightness(x, y));
  return levels.size();
}

bool powerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

BmpPicture texture(const std::string& name) { return readBmp(dataPath("BMP/" + name)); }

// The game's table names its files "Data/BMP/<name>".
std::vector<std::string> tableFileNames() {
  std::vector<std::string> names;
  for (const char* path : textureFileNames) {
    std::string name = path;
    EXPECT_EQ(name.rfind("Data/BMP/", 0), 0u) << name;
    names.push_back(name.substr(std::string("Data/BMP/").size()));
  }
  return names;
}

// Mean brightness difference between two columns (or rows when `rows`).
double lineDifference(const BmpPicture& p, int a, int b, bool rows) {
  double sum = 0.0;
  int count = rows ? p.width : p.height;
  for (int i = 0; i < count; ++i)
    sum += std::abs(rows ? p.brightness(i, a) - p.brightness(i, b) : p.brightness(a, i) - p.brightness(b, i));
  return sum / count;
}

// Mean difference between neighbouring lines inside the picture, the
// yardstick for how different the two edges may be.
double typicalNeighbourDifference(const BmpPicture& p, bool rows) {
  int size = rows ? p.height : p.width;
  double sum = 0.0;
  for (int i = 0; i + 1 < size; ++i) sum += lineDifference(p, i, i + 1, rows);
  return sum / (size - 1);
}
}  // namespace

TEST(TextureFiles, EveryTableEntryIsAReadable24BitBitmapOfPowerOfTwoSize) {
  for (const std::string& name : tableFileNames()) {
    SCOPED_TRACE(name);
    BmpPicture p = texture(name);
    ASSERT_EQ(p.problem, "");
    EXPECT_TRUE(powerOfTwo(p.width)) << p.width;
    EXPECT_TRUE(powerOfTwo(p.height)) << p.height;
  }
  EXPECT_EQ(texture("font512.bmp").width, 512);
  EXPECT_EQ(texture("font512.bmp").height, 512);
  EXPECT_EQ(texture("font256.bmp").width, 256);
  EXPECT_EQ(texture("font256.bmp").height, 256);
}

TEST(TextureFiles, TheGamesBmpReaderSeesTheSamePictures) {
  ScopedRecordingOs os;
  for (const char* path : textureFileNames) {
    SCOPED_TRACE(path);
    BmpPicture p = readBmp(std::string(BRAKMOOR_DATA_DIR) + "/" + path);
    ASSERT_EQ(p.problem, "");
    BitmapImage* image = readDibFile((std::string(BRAKMOOR_DATA_DIR) + "/" + path).c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, p.width);
    EXPECT_EQ(image->height, p.height);
    // The game's images keep the bottom row first.
    size_t row = static_cast<size_t>(p.width) * 3;
    bool same = image->width == p.width && image->height == p.height;
    for (int y = 0; same && y < p.height; ++y)
      same = std::equal(p.rgb.begin() + static_cast<long>(row * y), p.rgb.begin() + static_cast<long>(row * (y + 1)),
                        image->pixels + row * static_cast<size_t>(p.height - 1 - y));
    EXPECT_TRUE(same);
    freeBitmapImage(image);
  }
  EXPECT_TRUE(os->messageBoxes.empty());
}

TEST(TextureFiles, PicturesHaveDetailAndDifferFromEachOther) {
  std::set<std::vector<uint8_t>> seen;
  for (const std::string& name : tableFileNames()) {
    SCOPED_TRACE(name);
    BmpPicture p = texture(name);
    ASSERT_EQ(p.problem, "");
    EXPECT_GT(brightnessLevels(p), 5u) << "looks like a flat colour";
    seen.insert(p.rgb);
  }
  EXPECT_EQ(seen.size(), 31u) << "31 different files, each its own picture";
}

TEST(TextureFiles, SurfacesHaveTextureAndRepeatWithoutVisibleSeams) {
  for (const char* name : kTilingSurfaces) {
    SCOPED_TRACE(name);
    BmpPicture p = texture(name);
    ASSERT_EQ(p.problem, "");
    EXPECT_GT(brightnessLevels(p), 100u) << "a material needs texture, not a flat colour";
    for (bool rows : {false, true}) {
      int last = (rows ? p.height : p.width) - 1;
      double seam = lineDifference(p, last, 0, rows);
      EXPECT_LT(seam, 3.0 * typicalNeighbourDifference(p, rows) + 6.0) << (rows ? "top/bottom" : "left/right");
    }
  }
}

TEST(TextureFiles, AdditivePicturesLieOnBlackWithLightInTheMiddle) {
  for (const char* name : kAdditivePictures) {
    SCOPED_TRACE(name);
    BmpPicture p = texture(name);
    ASSERT_EQ(p.problem, "");
    int w = p.width - 1, h = p.height - 1;
    EXPECT_EQ(p.brightness(0, 0) + p.brightness(w, 0) + p.brightness(0, h / 2) + p.brightness(w, h / 2), 0);
    int brightest = 0;
    for (int y = h / 4; y <= 3 * h / 4; ++y)
      for (int x = w / 4; x <= 3 * w / 4; ++x) brightest = std::max(brightest, p.brightness(x, y));
    EXPECT_GT(brightest, 300);
  }
}
