// What the committed demos show. Each demo is played back headless and
// every picture it swaps in is reduced to the average colour of each 8x8
// block; the checksum of every picture's blocks, going on over the name and
// mode of every sound asked for since the picture before, must be the one
// kept beside the demo (tests/demos/NAME.pictures), so a change in what is
// drawn or heard shows at the first frame it touches, saved as a PPM under
// out/demo-pictures/ for looking at. The demos turn every drawing switch,
// fire both weapons, kill and die; a time demo makes every sound
// asynchronous, so the demos that sound the death and every weapon are
// played at their pace. Where the kept pictures were drawn by another
// renderer, sixty of them, spread over the demo, are compared block by
// block within a few levels instead (the sounds then go unchecked). After a
// change of the pictures that was looked at and meant,
// BRAKMOOR_KEEP_PICTURES=1 writes them anew.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "game/game_checksum.h"
#include "render/gl_api.h"
#include "shell/demo_file.h"
#include "tests/unit/demo/headless_playback.h"

namespace {

constexpr int width = 320, height = 240, block = 8;
constexpr int picturesPerDemo = 60;
constexpr std::size_t fingerprintSize = (width / block) * (height / block) * 3;
// Under another renderer: enough for a thin line, a glyph or a spark to
// move its block; rounding in a rasterizer moves none this far.
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

// The renderer that drew them, the checksum of every picture and its
// sounds, then the fingerprints of every `stride`-th picture. On file: the
// renderer's name and a newline, the count of pictures (32 bits), every
// checksum (32 bits each), then the fingerprints to the end, all in the
// machine's byte order.
struct KeptPictures {
  std::string renderer;
  std::vector<std::uint32_t> checksums;
  Bytes fingerprints;
};

// Reads every picture the game swaps in and keeps what a kept file holds of
// it; every `stride`-th picture is also kept whole. The first picture whose
// checksum is not the kept one is kept too, to be looked at.
class PictureTaker : public HeadlessPlatform {
 public:
  PictureTaker(std::int64_t stride, std::vector<std::uint32_t> kept) : stride_(stride), kept_(std::move(kept)) {}
  void swapGameBuffers() override {
    Bytes picture(static_cast<std::size_t>(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, picture.data());
    const Bytes print = fingerprint(picture);
    const std::size_t frame = seen.checksums.size();
    if (frame == 0) seen.renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::uint32_t sum = fnv1a(print.data(), print.size());
    for (const RecordedSound& sound : sounds) {
      sum = fnv1a(reinterpret_cast<const std::uint8_t*>(sound.fileName.c_str()), sound.fileName.size() + 1, sum);
      sum = fnv1a(reinterpret_cast<const std::uint8_t*>(&sound.mode), sizeof sound.mode, sum);
    }
    sounds.clear();
    seen.checksums.push_back(sum);
    if (firstDiffering < 0 && frame < kept_.size() && kept_[frame] != seen.checksums.back()) {
      firstDiffering = static_cast<std::int64_t>(frame);
      differingPicture = picture;
    }
    if (static_cast<std::int64_t>(frame) % stride_ != 0) return;
    seen.fingerprints.insert(seen.fingerprints.end(), print.begin(), print.end());
    pictures.push_back(std::move(picture));
  }
  KeptPictures seen;
  std::vector<Bytes> pictures;
  std::int64_t firstDiffering = -1;
  Bytes differingPicture;

 private:
  std::int64_t stride_;
  std::vector<std::uint32_t> kept_;
};

// A demo's name and the way it is played: three at their recorded pace, the
// others as time demos.
using Playback = std::pair<const char*, DemoMode>;

class DemoPictures : public testing::TestWithParam<Playback> {};

KeptPictures readKept(const std::string& fileName) {
  KeptPictures kept;
  std::ifstream in(fileName, std::ios::binary);
  std::uint32_t count = 0;
  std::getline(in, kept.renderer);
  in.read(reinterpret_cast<char*>(&count), sizeof count);
  kept.checksums.resize(in ? count : 0);
  in.read(reinterpret_cast<char*>(kept.checksums.data()), kept.checksums.size() * 4);
  kept.fingerprints.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return kept;
}

void writeKept(const std::string& fileName, const KeptPictures& kept) {
  std::ofstream out(fileName, std::ios::binary);
  const auto count = static_cast<std::uint32_t>(kept.checksums.size());
  out << kept.renderer << '\n';
  out.write(reinterpret_cast<const char*>(&count), sizeof count);
  out.write(reinterpret_cast<const char*>(kept.checksums.data()), count * 4);
  out.write(reinterpret_cast<const char*>(kept.fingerprints.data()), kept.fingerprints.size());
}

// Saves a picture read back (bottom row first) as a PPM to look at.
std::string saved(const std::string& name, std::int64_t frame, const Bytes& rgba) {
  const std::string path = BRAKMOOR_SOURCE_DIR "/out/demo-pictures/" + name + "-" + std::to_string(frame) + ".ppm";
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width << " " << height << "\n255\n";
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) out.write(reinterpret_cast<const char*>(&rgba[(y * width + x) * 4]), 3);
  return path;
}

TEST_P(DemoPictures, StayAsKept) {
  const std::string name = GetParam().first;
  const std::string demoFile = BRAKMOOR_SOURCE_DIR "/tests/demos/" + name + ".dem";
  const std::string keptFile = BRAKMOOR_SOURCE_DIR "/tests/demos/" + name + ".pictures";
  const Demo demo = loadedDemo(demoFile);
  const bool keep = std::getenv("BRAKMOOR_KEEP_PICTURES") != nullptr;
  const KeptPictures kept = keep ? KeptPictures{} : readKept(keptFile);
  const auto stride = std::max<std::int64_t>(1, static_cast<std::int64_t>(demo.frames.size()) / picturesPerDemo);
  PictureTaker taker(stride, kept.checksums);
  const Outcome outcome = playHeadless(demoFile, taker, GetParam().second);
  ASSERT_EQ(outcome.exitCode, 0) << outcome.said;
  const std::string frames = std::to_string(demo.frames.size()) + " frames";
  if (GetParam().second == DemoMode::play)
    EXPECT_EQ(outcome.said, "The demo " + demoFile + " played back identical: " + frames + ".\n");
  else
    EXPECT_EQ(outcome.said.rfind(frames + ", ", 0), 0u) << outcome.said;

  const KeptPictures& seen = taker.seen;
  if (keep) {
    writeKept(keptFile, seen);
    GTEST_SKIP() << "wrote " << keptFile;
  }
  ASSERT_EQ(kept.fingerprints.size(), seen.fingerprints.size()) << keptFile << " holds another number of pictures";
  if (seen.renderer == kept.renderer) {
    ASSERT_EQ(kept.checksums.size(), seen.checksums.size()) << keptFile << " holds another number of pictures";
    if (taker.firstDiffering >= 0)
      FAIL() << name << ": the picture of frame " << taker.firstDiffering << " is not the one kept; it is saved as "
             << saved(name, taker.firstDiffering, taker.differingPicture);
    return;
  }
  std::cout << "The kept pictures were drawn by " << kept.renderer << ", these by " << seen.renderer
            << ": sampled pictures are compared within " << toleratedLevels << " levels.\n";
  for (std::size_t picture = 0; picture < taker.pictures.size(); ++picture) {
    int blocksOff = 0, worst = 0;
    for (std::size_t i = picture * fingerprintSize; i < (picture + 1) * fingerprintSize; ++i) {
      const int difference = std::abs(kept.fingerprints[i] - seen.fingerprints[i]);
      worst = std::max(worst, difference);
      if (difference > toleratedLevels) ++blocksOff;
    }
    if (blocksOff > 0)
      FAIL() << name << ": the picture of frame " << picture * stride << " differs from the one kept in " << blocksOff
             << " of " << fingerprintSize / 3 << " blocks (up to " << worst << " levels); it is saved as "
             << saved(name, static_cast<std::int64_t>(picture * stride), taker.pictures[picture]);
  }
}

INSTANTIATE_TEST_SUITE_P(CommittedDemos, DemoPictures,
                         testing::Values(Playback{"walk", DemoMode::timeDemo}, Playback{"fight", DemoMode::play},
                                         Playback{"death", DemoMode::play},
                                         Playback{"switches", DemoMode::play}, Playback{"moves", DemoMode::timeDemo}),
                         [](const auto& info) { return std::string(info.param.first); });

}  // namespace
