// The pictures as the build generated them, read as the game reads them.
// How the textures the game draws look (sides, the weapons and crosshair on
// black) is what the demos' pictures show; here the surfaces' seams, which
// those pictures need not cross, the movie's headers and the start dialog's
// pictures. (The sounds are read by the Linux program's sound library, in
// tests/linux.)
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "render/bitmap_image.h"
#include "tests/support/recording_os.h"
#include "tests/support/scratch_folder.h"
#include "tools/datagen/intro_movie.h"

namespace fs = std::filesystem;

namespace {
uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes = 4) {
  uint32_t v = 0;
  for (int i = bytes; i-- > 0;) v = v << 8 | b[at + i];
  return v;
}
std::string dataPath(const std::string& relative) { return BRAKMOOR_DATA_DIR + ("/data/" + relative); }
std::string generatedPath(const std::string& name) { return BRAKMOOR_DATA_DIR + ("/../generated/" + name); }

// Rows bottom first, 3 bytes a pixel; none when the game's reader refuses the file.
struct BmpPicture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
  int brightness(int x, int y) const { auto p = rgb.begin() + (y * width + x) * 3; return p[0] + p[1] + p[2]; }
};
BmpPicture readBmp(const std::string& path) {
  ScopedRecordingOs os;  // a refused file is reported in a box
  BitmapImage* image = testDibReader(path.c_str());
  if (image == nullptr) return {};
  BmpPicture picture{image->width, image->height, {image->pixels, image->pixels + 3 * image->width * image->height}};
  freeBitmapImage(image);
  return picture;
}

size_t brightnessLevels(const BmpPicture& p) {
  std::set<int> levels;
  for (int i = 0; i < p.width * p.height; ++i) levels.insert(p.brightness(i % p.width, i / p.width));
  return levels.size();
}

// The generator's exit status; tests start in the build folder, where it is built.
const fs::path generator = fs::current_path() / "tools/datagen/datagen";
int run(const std::string& arguments) {
  const int status = std::system((generator.string() + " " + arguments + " 2>/dev/null").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::map<std::string, std::vector<uint8_t>> tree(const fs::path& root) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = readFile(entry.path().string());
  return files;
}
}  // namespace

// Surfaces that cover walls, floors and ceilings repeat across cells: the
// last line must differ from the first no more than neighbouring lines do.
TEST(GeneratedFiles, SurfacesHaveTextureAndRepeatWithoutVisibleSeams) {
  for (const char* name : {"floor1.bmp", "brass640.bmp", "brick02b.bmp", "brick03b.bmp", "water01b.bmp", "water03b.bmp",
                           "stone09b.bmp", "marbl08b.bmp", "floor27b.bmp", "brick06b.bmp", "wood05b.bmp", "wood10b.bmp",
                           "floor09b.bmp", "floor13b.bmp", "grani02b.bmp", "grani03b.bmp", "grani07b.bmp",
                           "fence01b.bmp", "floor08b.bmp", "stone10b.bmp"}) {
    SCOPED_TRACE(name);
    const BmpPicture p = readBmp(dataPath(std::string("BMP/") + name));
    ASSERT_GT(p.width, 0);
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

// The intro movie's headers, as any player reads them: 36 ms a frame in the
// main and the stream header, one uncompressed 24-bit video stream, and the
// same frame count in both headers and the index.
TEST(GeneratedFiles, IntroMovieHeadersAgreeOnFrameTimeAndCount) {
  const std::vector<uint8_t> avi = readFile(dataPath("avi/intro.avi"));
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
  EXPECT_EQ(std::vector<int>({title.width, title.height}), std::vector<int>({320, 165}));
  EXPECT_GT(brightnessLevels(title), 100u);
  const std::vector<uint8_t> icon = readFile(generatedPath("brakmoor.ico"));
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

// Running the generator itself: the same bytes on every run, and an error
// status for bad use.
TEST(Generator, TwoRunsWriteIdenticalTreesAndBadUseGivesAnErrorStatus) {
  ScratchFolder scratch;
  for (std::string folder : {"first", "second"}) ASSERT_EQ(run(folder + " " + folder + "/generated"), 0);
  const auto first = tree("first");
  EXPECT_EQ(first.size(), 31u + 1 + 5 + 1 + 3) << "textures, level, sounds, movie, title, icon and its PNG";
  EXPECT_TRUE(first == tree("second"));
  EXPECT_EQ(run(""), 2) << "no folders given";
  EXPECT_EQ(run("one two three"), 2);
  ASSERT_TRUE(std::ofstream("file").good());  // a file stands where a folder must be made
  EXPECT_EQ(run("file generated"), 1);
}
