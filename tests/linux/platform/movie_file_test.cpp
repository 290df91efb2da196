// The FFmpeg movie reader on the generated intro movie and on broken copies
// of its beginning: frame count, an upright RGB frame 0, going back after
// the end, and the two failure boxes.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/linux/movie_file.h"
#include "tests/support/recording_os.h"
#include "tools/datagen/intro_movie.h"

namespace {

const std::string moviePath = std::string(BRAKMOOR_DATA_DIR) + "/data/avi/intro.avi";
constexpr os::BoxStyle errorStyle{os::Buttons::ok, os::Icon::exclamation};
constexpr int sourceRowBytes = kIntroWidth * 3;

// The movie's first bytes: headers and the first frames.
std::vector<std::uint8_t> movieHead(std::size_t bytes) {
  std::ifstream file(moviePath, std::ios::binary);
  std::vector<std::uint8_t> head(bytes);
  file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(bytes));
  head.resize(static_cast<std::size_t>(file.gcount()));
  return head;
}

std::size_t find(const std::vector<std::uint8_t>& bytes, const char* fourcc, std::size_t from = 0) {
  for (std::size_t i = from; i + 4 <= bytes.size(); ++i) {
    if (std::memcmp(&bytes[i], fourcc, 4) == 0) return i;
  }
  return bytes.size();
}

std::string writeTemporary(const std::vector<std::uint8_t>& bytes, const char* name) {
  std::string path = testing::TempDir() + name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path;
}

// Mean of one channel over a block of a bottom-row-first picture; the block
// is given in quarters of the picture's width and height.
// Rows have no gaps in both the movie (256 wide) and the texture picture.
double blockMean(const std::uint8_t* pixels, int width, int height, int channel, int blockX,
                 int blockY) {
  double sum = 0;
  int count = 0;
  for (int y = blockY * height / 4; y < (blockY + 1) * height / 4; ++y) {
    for (int x = blockX * width / 4; x < (blockX + 1) * width / 4; ++x) {
      sum += pixels[(y * width + x) * 3 + channel];
      ++count;
    }
  }
  return sum / count;
}

class MovieFileTest : public ::testing::Test {
 protected:
  ~MovieFileTest() override { closeMovieFile(movie_); }
  // One box was shown, with `text`, and nothing was decoded.
  void expectBoxAndNoFrame(const char* text) {
    ASSERT_EQ(os_->messageBoxes.size(), 1u);
    EXPECT_EQ(os_->messageBoxes[0].text, text);
    EXPECT_EQ(os_->messageBoxes[0].caption, "Error");
    EXPECT_EQ(os_->messageBoxes[0].style, errorStyle);
    EXPECT_FALSE(decodeMovieFrame(movie_, 0, rgb_.data()));
    EXPECT_EQ(rgb_[0], 0xAB);
  }
  ScopedRecordingOs os_;
  MovieFile movie_;
  std::vector<std::uint8_t> rgb_ = std::vector<std::uint8_t>(movieFrameBytes, 0xAB);
};

// Frame 0 as the generator wrote it (blue, green, red, bottom row first) and
// as the reader scales it (red, green, blue, bottom row first) agree block
// by block, so the picture is neither flipped nor colour-swapped.
TEST_F(MovieFileTest, GeneratedMovieHasItsFramesAndFrameZeroComesUprightInRgb) {
  ASSERT_EQ(openMovieFile(movie_, moviePath.c_str()), kIntroFrameCount);
  EXPECT_TRUE(os_->messageBoxes.empty());
  ASSERT_TRUE(decodeMovieFrame(movie_, 0, rgb_.data()));

  std::vector<std::uint8_t> head = movieHead(400000);
  std::size_t chunk = find(head, "00db", find(head, "movi"));
  ASSERT_LE(chunk + 8 + sourceRowBytes * kIntroHeight, head.size());
  const std::uint8_t* bgr = &head[chunk + 8];
  for (int blockY = 0; blockY < 4; ++blockY) {
    for (int blockX = 0; blockX < 4; ++blockX) {
      for (int channel = 0; channel < 3; ++channel) {
        double written = blockMean(bgr, kIntroWidth, kIntroHeight, 2 - channel, blockX, blockY);
        double read = blockMean(rgb_.data(), movieTextureSide, movieTextureSide, channel,
                                blockX, blockY);
        EXPECT_NEAR(read, written, 4.0) << "block " << blockX << "," << blockY << " channel " << channel;
      }
    }
  }
}

TEST_F(MovieFileTest, PastTheEndDecodesNothingAndFrameZeroComesAgain) {
  ASSERT_EQ(openMovieFile(movie_, moviePath.c_str()), kIntroFrameCount);
  ASSERT_TRUE(decodeMovieFrame(movie_, 0, rgb_.data()));
  const std::vector<std::uint8_t> first = rgb_;
  ASSERT_TRUE(decodeMovieFrame(movie_, kIntroFrameCount - 1, rgb_.data()));
  const std::vector<std::uint8_t> last = rgb_;
  EXPECT_NE(last, first);
  EXPECT_FALSE(decodeMovieFrame(movie_, kIntroFrameCount, rgb_.data()));
  EXPECT_EQ(rgb_, last);
  ASSERT_TRUE(decodeMovieFrame(movie_, 0, rgb_.data()));
  EXPECT_EQ(rgb_, first);
}

TEST_F(MovieFileTest, MissingFileShowsTheStreamBoxAndDecodesNothing) {
  EXPECT_EQ(openMovieFile(movie_, "data/avi/no such movie.avi"), -1);
  expectBoxAndNoFrame("Failed To Open The AVI Stream");
  closeMovieFile(movie_);
}

TEST_F(MovieFileTest, HeadersOnlyFileDecodesNothing) {
  std::string path = writeTemporary(movieHead(4096), "intro_headers.avi");
  openMovieFile(movie_, path.c_str());
  EXPECT_FALSE(decodeMovieFrame(movie_, 0, rgb_.data()));
  EXPECT_FALSE(decodeMovieFrame(movie_, 1, rgb_.data()));
  EXPECT_EQ(rgb_, std::vector<std::uint8_t>(movieFrameBytes, 0xAB));
  closeMovieFile(movie_);
}

// Frames compressed with a codec nobody knows: the stream opens, the
// decoder does not.
TEST_F(MovieFileTest, UnknownCompressionShowsTheFrameBoxAndDecodesNothing) {
  std::vector<std::uint8_t> head = movieHead(400000);
  std::size_t format = find(head, "strf");
  ASSERT_LT(format, head.size());
  std::memcpy(&head[format + 8 + 16], "QQQQ", 4);  // the info header's compression
  std::memcpy(&head[find(head, "DIB ")], "QQQQ", 4);
  std::string path = writeTemporary(head, "intro_unknown_codec.avi");
  EXPECT_EQ(openMovieFile(movie_, path.c_str()), kIntroFrameCount);
  expectBoxAndNoFrame("Failed To Open The AVI Frame");
}

}  // namespace
