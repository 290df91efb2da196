// The pictures and sounds as the build generated them, read with the
// independent readers (and the textures with the game's reader too).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

#include "render/bitmap_image.h"
#include "render/texture_table.h"
#include "tests/support/recording_os.h"
#include "tests/unit/datagen/data_readers.h"
#include "tools/datagen/intro_movie.h"

namespace {
size_t brightnessLevels(const BmpPicture& p) {
  std::set<int> levels;
  for (int i = 0; i < p.width * p.height; ++i) levels.insert(p.brightness(i % p.width, i / p.width));
  return levels.size();
}
}  // namespace

// 24-bit pictures of power-of-two sides, each its own, that the game's reader
// sees as the independent one does (rows bottom first).
TEST(GeneratedFiles, TexturesArePowerOfTwoBitmapsTheGamesReaderSeesAlike) {
  ScopedRecordingOs os;
  std::set<std::vector<uint8_t>> distinct;
  for (const char* path : textureFileNames) {
    SCOPED_TRACE(path);
    const std::string file = std::string(BRAKMOOR_DATA_DIR) + "/" + path;
    const BmpPicture p = readBmp(file);
    ASSERT_EQ(p.problem, "");
    const auto powerOfTwo = [](int n) { return n > 0 && (n & (n - 1)) == 0; };
    EXPECT_TRUE(powerOfTwo(p.width) && powerOfTwo(p.height)) << p.width << " x " << p.height;
    EXPECT_GT(brightnessLevels(p), 5u) << "looks like a flat colour";
    distinct.insert(p.rgb);
    BitmapImage* image = platform().readBmpFile(file.c_str());
    ASSERT_NE(image, nullptr);
    std::vector<uint8_t> topRowFirst;
    for (size_t row = image->width * 3u, y = image->height; y-- > 0;)
      topRowFirst.insert(topRowFirst.end(), image->pixels + row * y, image->pixels + row * (y + 1));
    EXPECT_TRUE(image->width == p.width && topRowFirst == p.rgb) << "the game's reader sees another picture";
    freeBitmapImage(image);
  }
  EXPECT_EQ(distinct.size(), 31u);
  EXPECT_TRUE(os->messageBoxes.empty());
}

// Surfaces that cover walls, floors and ceilings repeat across cells: the
// last line must differ from the first no more than neighbouring lines do.
TEST(GeneratedFiles, SurfacesHaveTextureAndRepeatWithoutVisibleSeams) {
  for (const char* name : {"floor1.bmp", "brass640.bmp", "brick02b.bmp", "brick03b.bmp", "water01b.bmp", "water03b.bmp",
                           "stone09b.bmp", "marbl08b.bmp", "floor27b.bmp", "brick06b.bmp", "wood05b.bmp", "wood10b.bmp",
                           "floor09b.bmp", "floor13b.bmp", "grani02b.bmp", "grani03b.bmp", "grani07b.bmp",
                           "fence01b.bmp", "floor08b.bmp", "stone10b.bmp"}) {
    SCOPED_TRACE(name);
    const BmpPicture p = readBmp(dataPath(std::string("BMP/") + name));
    ASSERT_EQ(p.problem, "");
    EXPECT_GT(brightnessLevels(p), 100u) << "a material needs texture, not a flat colour";
    for (bool rows : {false, true}) {
      const int count = rows ? p.width : p.height, last = (rows ? p.height : p.width) - 1;
      const auto difference = [&](int a, int b) {
        double sum = 0.0;
        for (int i = 0; i < count; ++i)
          sum += std::abs(rows ? p.brightness(i, a) - p.brightness(i, b) : p.brightness(a, i) - p.brightness(b, i));
        return sum / count;
      };
      double typical = 0.0;
      for (int i = 0; i < last; ++i) typical += difference(i, i + 1) / last;
      EXPECT_LT(difference(last, 0), 3.0 * typical + 6.0) << (rows ? "top/bottom" : "left/right");
    }
  }
}

// Drawn with additive blending: black must stay black to be invisible.
TEST(GeneratedFiles, AdditivePicturesLieOnBlackWithLightInTheMiddle) {
  for (const char* name : {"m16.bmp", "rifle.bmp", "rifle_blast.bmp", "rifle_blast2.bmp", "crosshair.bmp"}) {
    SCOPED_TRACE(name);
    const BmpPicture p = readBmp(dataPath(std::string("BMP/") + name));
    ASSERT_EQ(p.problem, "");
    const int w = p.width - 1, h = p.height - 1;
    EXPECT_EQ(p.brightness(0, 0) + p.brightness(w, 0) + p.brightness(0, h / 2) + p.brightness(w, h / 2), 0);
    int brightest = 0;
    for (int i = 0; i < p.width * p.height; ++i)
      if (std::abs(i % p.width * 2 - w) <= w / 2 && std::abs(i / p.width * 2 - h) <= h / 2)
        brightest = std::max(brightest, p.brightness(i % p.width, i / p.width));
    EXPECT_GT(brightest, 300);
  }
}

// Mono 16-bit PCM, never clipped, without clicks at either end. Shots and
// hits cut each other off: short; the game waits for the whole death sound;
// the music lasts as long as the movie.
TEST(GeneratedFiles, SoundsAreCleanDistinctMonoPcmOfFittingLengths) {
  const double movieSeconds = kIntroFrameCount * kIntroMillisecondsPerFrame / 1000.0;
  const struct { const char* name; double minSeconds, maxSeconds; } cases[] = {
      {"m16.wav", 0.1, 1.0}, {"laser.wav", 0.1, 1.0}, {"hit.wav", 0.1, 1.0}, {"death.wav", 1.0, 2.0},
      {"intro.wav", movieSeconds - 0.036, movieSeconds + 0.036}};
  std::set<std::vector<int16_t>> distinct;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const WavSound s = readWav(dataPath(std::string("wav/") + c.name));
    ASSERT_EQ(s.problem, "");
    EXPECT_EQ(std::vector<int>({s.format, s.channels, s.bitsPerSample}), std::vector<int>({1, 1, 16}));
    EXPECT_TRUE(s.sampleRate == 22050 || s.sampleRate == 44100) << s.sampleRate;
    ASSERT_FALSE(s.samples.empty());
    int peak = 0;
    for (int sample : s.samples) peak = std::max(peak, std::abs(sample));
    EXPECT_TRUE(peak > 8000 && peak < 32767) << peak;
    EXPECT_LT(std::abs(s.samples.front()) + std::abs(s.samples.back()), 1000) << "clicks";
    EXPECT_TRUE(s.seconds() >= c.minSeconds && s.seconds() <= c.maxSeconds) << s.seconds();
    distinct.insert(s.samples);
  }
  EXPECT_EQ(distinct.size(), 5u);
}

// The intro movie's headers, as any player reads them: 36 ms a frame in the
// main and the stream header, one uncompressed 24-bit video stream, and the
// same frame count in both headers and the index.
TEST(GeneratedFiles, IntroMovieHeadersAgreeOnFrameTimeAndCount) {
  const std::vector<uint8_t> avi = readWholeFile(dataPath("avi/intro.avi"));
  const auto body = [&avi](const char* id) { return std::search(avi.begin(), avi.end(), id, id + 4) - avi.begin() + 8; };
  const size_t avih = body("avih"), strh = body("strh"), strf = body("strf"), idx1 = body("idx1");
  ASSERT_LE(idx1, avi.size());
  const uint32_t frames = kIntroFrameCount, microseconds = 1000 * kIntroMillisecondsPerFrame;
  EXPECT_EQ(std::vector<uint32_t>({le(avi, avih), le(avi, avih + 16), le(avi, avih + 24)}),
            std::vector<uint32_t>({microseconds, frames, 1}));
  EXPECT_EQ(std::string(&avi[strh], &avi[strh + 8]), "vidsDIB ");
  EXPECT_EQ(1000000.0 * le(avi, strh + 20) / le(avi, strh + 24), microseconds);  // scale / rate
  EXPECT_EQ(le(avi, strh + 32), frames);
  EXPECT_EQ(std::vector<uint32_t>({le(avi, strf + 14, 2), le(avi, strf + 16)}), std::vector<uint32_t>({24, 0}));
  EXPECT_EQ(le(avi, idx1 - 4) / 16, frames);
}

// The start dialog's title picture fills its 320 x 165 bitmap control; the
// exe's icon directory points at its pictures back to back.
TEST(GeneratedFiles, TitlePictureAndIconDirectory) {
  const BmpPicture title = readBmp(generatedPath("title.bmp"));
  EXPECT_EQ(std::vector<int>({title.width, title.height}), std::vector<int>({320, 165})) << title.problem;
  EXPECT_GT(brightnessLevels(title), 100u);
  const std::vector<uint8_t> icon = readWholeFile(generatedPath("brakmoor.ico"));
  ASSERT_GE(icon.size(), 6u);
  EXPECT_EQ(le(icon, 0), 0x10000u) << "not an icon directory";
  size_t end = 6 + 16 * le(icon, 4, 2);
  for (size_t entry = 6; entry < 6 + 16 * le(icon, 4, 2) && end <= icon.size(); entry += 16) {
    const uint32_t size = icon[entry], offset = le(icon, entry + 12);
    EXPECT_EQ(offset, end) << entry;
    EXPECT_TRUE(size == 16 || size == 32 || size == 48) << size;
    // An info header with doubled height: colours, then the mask.
    EXPECT_EQ(std::vector<uint32_t>({le(icon, offset), le(icon, offset + 4), le(icon, offset + 8)}),
              std::vector<uint32_t>({40, size, 2 * size}));
    end = offset + le(icon, entry + 8);
  }
  EXPECT_EQ(end, icon.size());
}
