// What the committed demos show. Each demo is played back headless and
// sixty of its pictures, spread evenly over it, are reduced to the average
// colour of each 8x8 block; every block must stay within a few levels of the
// fingerprints kept beside the demo (tests/demos/NAME.pictures). The demos
// turn every drawing switch, fire both weapons, kill and die, so a change in
// what is drawn shows here at the first picture it touches, saved as a PPM
// under out/demo-pictures/ for looking at. After a change of the pictures
// that was looked at and meant, BRAKMOOR_KEEP_PICTURES=1 writes new
// fingerprints.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/gl_api.h"
#include "shell/demo_file.h"
#include "tests/unit/demo/headless_playback.h"

namespace {

constexpr int width = 320, height = 240, block = 8;
constexpr int picturesPerDemo = 60;
constexpr std::size_t fingerprintSize = (width / block) * (height / block) * 3;
// Enough for a thin line, a glyph or a spark to move its block; rounding
// in the rasterizer moves none this far.
constexpr int toleratedLevels = 6;

using Bytes = std::vector<std::uint8_t>;

Bytes fingerprint(const Bytes& rgba) {
  Bytes print;
  for (int by = 0; by < height / block; ++by)
    for (int bx = 0; bx < width / block; ++bx)
      for (int channel = 0; channel < 3; ++channel) {
        int sum = 0;
        for (int y = by * block; y < (by + 1) * block; ++y)
          for (int x = bx * block; x < (bx + 1) * block; ++x) sum += rgba[(y * width + x) * 4 + channel];
        print.push_back(static_cast<std::uint8_t>(sum / (block * block)));
      }
  return print;
}

// Reads the picture at every `stride`-th swap of the game's buffers.
class PictureTaker : public HeadlessPlatform {
 public:
  explicit PictureTaker(std::int64_t stride) : stride_(stride) {}
  void swapGameBuffers() override {
    if (swaps_++ % stride_ != 0) return;
    pictures.emplace_back(static_cast<std::size_t>(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pictures.back().data());
  }
  std::vector<Bytes> pictures;

 private:
  std::int64_t stride_, swaps_ = 0;
};

void savePpm(const std::string& path, const Bytes& rgba) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width << " " << height << "\n255\n";
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) out.write(reinterpret_cast<const char*>(&rgba[(y * width + x) * 4]), 3);
}

// Two demos are played at their recorded pace, two as time demos.
struct Playback {
  const char* name;
  DemoMode mode;
};

void PrintTo(const Playback& playback, std::ostream* out) { *out << playback.name; }

class DemoPictures : public testing::TestWithParam<Playback> {};

TEST_P(DemoPictures, StayAsKept) {
  const std::string name = GetParam().name;
  const std::string demoFile = BRAKMOOR_SOURCE_DIR "/tests/demos/" + name + ".dem";
  const std::string keptFile = BRAKMOOR_SOURCE_DIR "/tests/demos/" + name + ".pictures";
  Demo demo;
  std::string message;
  ASSERT_TRUE(loadDemo(demoFile, demo, message)) << message;
  const auto stride = std::max<std::int64_t>(1, static_cast<std::int64_t>(demo.frames.size()) / picturesPerDemo);
  PictureTaker taker(stride);
  const Outcome outcome = playHeadless(demoFile, taker, GetParam().mode);
  ASSERT_EQ(outcome.exitCode, 0) << outcome.said;
  const std::string frames = std::to_string(demo.frames.size()) + " frames";
  if (GetParam().mode == DemoMode::play)
    EXPECT_EQ(outcome.said, "The demo " + demoFile + " played back identical: " + frames + ".\n");
  else
    EXPECT_EQ(outcome.said.rfind(frames + ", ", 0), 0u) << outcome.said;
  ASSERT_GE(taker.pictures.size(), static_cast<std::size_t>(picturesPerDemo)) << outcome.said;

  Bytes seen;
  for (const Bytes& picture : taker.pictures) {
    const Bytes print = fingerprint(picture);
    seen.insert(seen.end(), print.begin(), print.end());
  }
  if (std::getenv("BRAKMOOR_KEEP_PICTURES") != nullptr) {
    std::ofstream(keptFile, std::ios::binary).write(reinterpret_cast<const char*>(seen.data()), seen.size());
    GTEST_SKIP() << "wrote " << keptFile;
  }
  std::ifstream in(keptFile, std::ios::binary);
  const Bytes kept{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_EQ(kept.size(), seen.size()) << keptFile << " holds another number of pictures";
  for (std::size_t picture = 0; picture < taker.pictures.size(); ++picture) {
    int blocksOff = 0, worst = 0;
    for (std::size_t i = picture * fingerprintSize; i < (picture + 1) * fingerprintSize; ++i) {
      const int difference = std::abs(kept[i] - seen[i]);
      worst = std::max(worst, difference);
      if (difference > toleratedLevels) ++blocksOff;
    }
    if (blocksOff == 0) continue;
    const std::string saved = BRAKMOOR_SOURCE_DIR "/out/demo-pictures/" + name + "-" +
                              std::to_string(picture * stride) + ".ppm";
    std::filesystem::create_directories(std::filesystem::path(saved).parent_path());
    savePpm(saved, taker.pictures[picture]);
    FAIL() << name << ": the picture of frame " << picture * stride << " differs from the one kept in "
           << blocksOff << " of " << fingerprintSize / 3 << " blocks (up to " << worst
           << " levels); it is saved as " << saved;
  }
}

INSTANTIATE_TEST_SUITE_P(CommittedDemos, DemoPictures,
                         testing::Values(Playback{"walk", DemoMode::timeDemo}, Playback{"fight", DemoMode::play},
                                         Playback{"death", DemoMode::timeDemo},
                                         Playback{"switches", DemoMode::play}),
                         [](const testing::TestParamInfo<Playback>& info) { return std::string(info.param.name); });

}  // namespace
