// The intro movie: an uncompressed AVI the Windows AVI library opens with no
// codec, 5 to 8 seconds at the game's 36 ms per frame, in motion, with the
// game's name appearing.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "tests/unit/datagen/data_readers.h"

namespace {
class IntroMovie : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { movie_ = new AviMovie(readAvi(dataPath("avi/intro.avi"))); }
  static void TearDownTestSuite() { delete movie_; }
  static AviMovie* movie_;
};
AviMovie* IntroMovie::movie_ = nullptr;

// Pixels of a frame in the golden colour of the lettering.
int goldPixels(const std::vector<uint8_t>& frame) {
  int count = 0;
  for (size_t i = 0; i + 2 < frame.size(); i += 3) {
    uint8_t b = frame[i], g = frame[i + 1], r = frame[i + 2];
    if (r > 200 && g > 140 && b < 110) ++count;
  }
  return count;
}
}  // namespace

TEST_F(IntroMovie, HeadersDescribeOneUncompressedVideoStream) {
  const AviMovie& m = *movie_;
  ASSERT_EQ(m.problem, "");
  EXPECT_EQ(m.microsecondsPerFrame, 36000u);
  EXPECT_EQ(m.streams, 1u);
  EXPECT_EQ(m.streamType, "vids");
  EXPECT_EQ(m.handler, "DIB ");
  EXPECT_EQ(m.formatSize, 40u);
  EXPECT_EQ(m.bitCount, 24u);
  EXPECT_EQ(m.compression, 0u);
  EXPECT_EQ(m.formatWidth, m.width);
  EXPECT_EQ(m.formatHeight, m.height);
  EXPECT_GE(m.width, 128u);
  EXPECT_LE(m.width, 320u);
}

TEST_F(IntroMovie, FrameCountAgreesEverywhereAndLastsFiveToEightSeconds) {
  const AviMovie& m = *movie_;
  ASSERT_EQ(m.problem, "");
  EXPECT_EQ(m.frames.size(), m.totalFrames);
  EXPECT_EQ(m.frames.size(), m.streamLength);
  EXPECT_EQ(m.frames.size(), m.indexEntries);
  double seconds = m.frames.size() * 0.036;
  EXPECT_GE(seconds, 5.0);
  EXPECT_LE(seconds, 8.0);
  size_t frameBytes = (m.width * 3 + 3) / 4 * 4 * m.height;
  for (const std::vector<uint8_t>& frame : m.frames) ASSERT_EQ(frame.size(), frameBytes);
  std::ifstream file(dataPath("avi/intro.avi"), std::ios::binary | std::ios::ate);
  EXPECT_LT(static_cast<long>(file.tellg()), 40L * 1024 * 1024);
}

TEST_F(IntroMovie, PictureMovesAndTheNameAppears) {
  const AviMovie& m = *movie_;
  ASSERT_EQ(m.problem, "");
  ASSERT_GT(m.frames.size(), 100u);
  int stills = 0;
  for (size_t i = 1; i < m.frames.size(); ++i) stills += m.frames[i] == m.frames[i - 1] ? 1 : 0;
  EXPECT_LT(stills, 5) << "the maze should be in motion";
  EXPECT_LT(goldPixels(m.frames[5]), 20) << "the name is not there at the start";
  EXPECT_GT(goldPixels(m.frames[100]), 300) << "the name shows later";
}
