// The movie reader of each platform (FFmpeg natively, the AVI library under
// Wine, which also lists this file) on the generated intro movie and on
// broken copies of its beginning; and what the AVI library's reader alone
// releases.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include "platform/win32/movie_file.h"
#else
#include "platform/linux/movie_file.h"
#endif
#include "tests/support/recording_os.h"
#include "tests/support/scratch_folder.h"
#include "tools/datagen/intro_movie.h"

namespace {

const std::string moviePath = std::string(BRAKMOOR_DATA_DIR) + "/data/avi/intro.avi";

// Where a four-character code first appears in the movie's first bytes.
std::size_t find(const std::vector<std::uint8_t>& bytes, const char* fourcc, std::size_t from = 0) {
  return std::search(bytes.begin() + from, bytes.end(), fourcc, fourcc + 4) - bytes.begin();
}

// Mean of one channel over a quarter-by-quarter block of a bottom-row-first
// picture without row gaps.
double blockMean(const std::uint8_t* pixels, int width, int height, int channel, int blockX, int blockY) {
  double sum = 0;
  for (int y = blockY * height / 4; y < (blockY + 1) * height / 4; ++y)
    for (int x = blockX * width / 4; x < (blockX + 1) * width / 4; ++x) sum += pixels[(y * width + x) * 3 + channel];
  return sum / (width / 4 * (height / 4));
}

class MovieFileTest : public ::testing::Test {
 protected:
#ifdef _WIN32
  MovieFileTest() { movie_.memoryDC = CreateCompatibleDC(nullptr); }  // made once by the platform
  ~MovieFileTest() override { closeMovieFile(movie_), DeleteDC(movie_.memoryDC); }
#else
  ~MovieFileTest() override { closeMovieFile(movie_); }
#endif
  // At most the box `text` was shown, and nothing was decoded.
  void expectNoFrame(const char* text = nullptr) {
    if (text != nullptr)
      EXPECT_EQ(os_->messageBoxes, std::vector<RecordedMessageBox>({{text, "Error", {os::Buttons::ok, os::Icon::exclamation}}}));
    for (int frame : {0, 1}) EXPECT_FALSE(decodeMovieFrame(movie_, frame, rgb_.data()));
    EXPECT_EQ(rgb_, std::vector<std::uint8_t>(movieFrameBytes, 0xAB));
  }
  ScratchFolder folder_;  // for the broken copies
  ScopedRecordingOs os_;
  MovieFile movie_;
  std::vector<std::uint8_t> rgb_ = std::vector<std::uint8_t>(movieFrameBytes, 0xAB);
};

// Frame 0 as the generator wrote it (blue, green, red, bottom row first) and
// as the reader scales it (red, green, blue, bottom row first) agree block
// by block, so it is neither flipped nor colour-swapped. Past the end
// nothing is decoded, and frame 0 comes again.
TEST_F(MovieFileTest, GeneratedMovieComesUprightInRgbAndGoesBackToFrameZero) {
  ASSERT_EQ(openMovieFile(movie_, moviePath.c_str()), kIntroFrameCount);
  EXPECT_TRUE(os_->messageBoxes.empty());
  ASSERT_TRUE(decodeMovieFrame(movie_, 0, rgb_.data()));
  const std::vector<std::uint8_t> head = readFile(moviePath, 400000), first = rgb_;
  const std::size_t chunk = find(head, "00db", find(head, "movi"));
  ASSERT_LE(chunk + 8 + kIntroWidth * 3 * kIntroHeight, head.size());
  for (int block = 0; block < 16 * 3; ++block) {
    const int x = block % 4, y = block / 4 % 4, channel = block / 16;
    EXPECT_NEAR(blockMean(rgb_.data(), movieTextureSide, movieTextureSide, channel, x, y),
                blockMean(&head[chunk + 8], kIntroWidth, kIntroHeight, 2 - channel, x, y), 4.0)
        << "block " << x << "," << y << " channel " << channel;
  }
  ASSERT_TRUE(decodeMovieFrame(movie_, kIntroFrameCount - 1, rgb_.data()));
  const std::vector<std::uint8_t> last = rgb_;
  EXPECT_NE(last, first);
  EXPECT_FALSE(decodeMovieFrame(movie_, kIntroFrameCount, rgb_.data()));
  EXPECT_EQ(rgb_, last);
  ASSERT_TRUE(decodeMovieFrame(movie_, 0, rgb_.data()));
  EXPECT_EQ(rgb_, first);
}

TEST_F(MovieFileTest, MissingOrCutShortFilesDecodeNothing) {
  EXPECT_EQ(openMovieFile(movie_, "data/avi/no such movie.avi"), -1);
  expectNoFrame("Failed To Open The AVI Stream");
  closeMovieFile(movie_);
  writeFile("headers.avi", readFile(moviePath, 4096));
  openMovieFile(movie_, "headers.avi");
  expectNoFrame();
}

// Frames compressed with a codec nobody knows: the stream opens, the
// decoder does not.
TEST_F(MovieFileTest, UnknownCompressionShowsTheFrameBoxAndDecodesNothing) {
  std::vector<std::uint8_t> head = readFile(moviePath, 400000);
  ASSERT_LT(find(head, "strf"), head.size());
  std::memcpy(&head[find(head, "strf") + 8 + 16], "QQQQ", 4);  // the info header's compression
  std::memcpy(&head[find(head, "DIB ")], "QQQQ", 4);
  writeFile("unknown_codec.avi", head);
  EXPECT_EQ(openMovieFile(movie_, "unknown_codec.avi"), kIntroFrameCount);
  expectNoFrame("Failed To Open The AVI Frame");
}

#ifdef _WIN32
// What only the AVI library's reader owns: closing twice releases once (the
// stream loses exactly the reader's reference and the frame bitmap is really
// deleted); the memory DC stays for the next intro cycle, which opens the
// movie again.
TEST_F(MovieFileTest, CloseTwiceReleasesOnceAndTheMovieOpensAgain) {
  ASSERT_GT(openMovieFile(movie_, moviePath.c_str()), 0);
  PAVISTREAM stream = movie_.stream;
  HBITMAP bitmap = movie_.dibSection;
  AVIStreamAddRef(stream);
  closeMovieFile(movie_);
  closeMovieFile(movie_);
  EXPECT_TRUE(movie_.stream == nullptr && movie_.frameGrab == nullptr && movie_.frameBits == nullptr);
  EXPECT_FALSE(movie_.aviLibraryOpen);
  EXPECT_FALSE(decodeMovieFrame(movie_, 0, rgb_.data()));
  EXPECT_EQ(GetObjectType(bitmap), 0u) << "the frame bitmap is still alive";
  EXPECT_EQ(AVIStreamRelease(stream), 0) << "the reader released more or less than its reference";
  ASSERT_GT(openMovieFile(movie_, moviePath.c_str()), 0);
  EXPECT_TRUE(decodeMovieFrame(movie_, 0, rgb_.data()));
  EXPECT_TRUE(os_->messageBoxes.empty());
}
#endif

}  // namespace
