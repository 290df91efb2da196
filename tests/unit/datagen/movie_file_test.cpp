// The intro movie: an uncompressed AVI the Windows AVI library opens with no
// codec, 5 to 8 seconds at the game's 36 ms per frame, in motion, with the
// game's name appearing, and music of the same length.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/unit/datagen/data_readers.h"

namespace {
class IntroMovie : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { movie_ = new AviMovie(readAvi(dataPath("avi/intro.avi"))); }
  static void TearDownTestSuite() { delete movie_; }
  void SetUp() override { ASSERT_EQ(movie_->problem, ""); }
  static AviMovie* movie_;
};
AviMovie* IntroMovie::movie_ = nullptr;

// Pixels of a frame in the golden colour of the lettering.
int goldPixels(const std::vector<uint8_t>& frame) {
  int count = 0;
  for (size_t i = 0; i + 2 < frame.size(); i += 3) count += frame[i + 2] > 200 && frame[i + 1] > 140 && frame[i] < 110;
  return count;
}
}  // namespace

TEST_F(IntroMovie, IsOneUncompressedVideoStreamOfFiveToEightSeconds) {
  const AviMovie& m = *movie_;
  EXPECT_EQ(m.microsecondsPerFrame, 36000u);
  EXPECT_EQ(m.streams, 1u);
  EXPECT_EQ(m.streamType + "/" + m.handler, "vids/DIB ");
  EXPECT_EQ(m.formatSize, 40u);
  EXPECT_EQ(m.bitCount, 24u);
  EXPECT_EQ(m.compression, 0u);
  EXPECT_EQ(m.formatWidth, m.width);
  EXPECT_EQ(m.formatHeight, m.height);
  EXPECT_TRUE(m.width >= 128 && m.width <= 320) << m.width;
  // The frame count agrees in the main header, the stream header and the index.
  EXPECT_EQ(m.frames.size(), m.totalFrames);
  EXPECT_EQ(m.frames.size(), m.streamLength);
  EXPECT_EQ(m.frames.size(), m.indexEntries);
  double seconds = m.frames.size() * 0.036;
  EXPECT_TRUE(seconds >= 5.0 && seconds <= 8.0) << seconds;
  size_t frameBytes = (m.width * 3 + 3) / 4 * 4 * m.height;
  for (const std::vector<uint8_t>& frame : m.frames) ASSERT_EQ(frame.size(), frameBytes);
  EXPECT_LT(std::filesystem::file_size(dataPath("avi/intro.avi")), 40u << 20);
  EXPECT_NEAR(readWav(dataPath("wav/intro.wav")).seconds(), seconds, 0.036) << "the music lasts as long";
}

TEST_F(IntroMovie, PictureMovesAndTheNameAppears) {
  const AviMovie& m = *movie_;
  ASSERT_GT(m.frames.size(), 100u);
  int stills = 0;
  for (size_t i = 1; i < m.frames.size(); ++i) stills += m.frames[i] == m.frames[i - 1];
  EXPECT_LT(stills, 5) << "the maze should be in motion";
  EXPECT_LT(goldPixels(m.frames[5]), 20) << "the name is not there at the start";
  EXPECT_GT(goldPixels(m.frames[100]), 300) << "the name shows later";
}
