// The intro movie: an uncompressed AVI the Windows AVI library opens with no
// codec, 5 to 8 seconds at the game's 36 ms per frame, in motion, with the
// game's name appearing, and music of the same length.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/unit/datagen/data_readers.h"

namespace {
// Pixels of a frame in the golden colour of the lettering.
int goldPixels(const std::vector<uint8_t>& frame) {
  int count = 0;
  for (size_t i = 0; i + 2 < frame.size(); i += 3) count += frame[i + 2] > 200 && frame[i + 1] > 140 && frame[i] < 110;
  return count;
}
}  // namespace

TEST(IntroMovie, IsOneUncompressedVideoStreamOfFiveToEightSecondsInMotion) {
  const AviMovie m = readAvi(dataPath("avi/intro.avi"));
  ASSERT_EQ(m.problem, "");
  EXPECT_EQ(m.microsecondsPerFrame, 36000u);
  EXPECT_EQ(m.streams, 1u);
  EXPECT_EQ(m.streamType + "/" + m.handler, "vids/DIB ");
  EXPECT_EQ(m.formatSize, 40u);
  EXPECT_EQ(m.bitCount, 24u);
  EXPECT_EQ(m.compression, 0u);
  EXPECT_TRUE(m.formatWidth == m.width && m.formatHeight == m.height && m.width >= 128 && m.width <= 320)
      << m.formatWidth << " x " << m.formatHeight << " in a movie of " << m.width << " x " << m.height;
  // The frame count agrees in the main header, the stream header and the index.
  EXPECT_EQ(m.frames.size(), m.totalFrames);
  EXPECT_EQ(m.frames.size(), m.streamLength);
  EXPECT_EQ(m.frames.size(), m.indexEntries);
  double seconds = m.frames.size() * 0.036;
  ASSERT_TRUE(seconds >= 5.0 && seconds <= 8.0) << seconds;
  EXPECT_NEAR(readWav(dataPath("wav/intro.wav")).seconds(), seconds, 0.036) << "the music lasts as long";
  EXPECT_LT(std::filesystem::file_size(dataPath("avi/intro.avi")), 40u << 20);
  int stills = 0;
  for (size_t i = 0; i < m.frames.size(); ++i) {
    ASSERT_EQ(m.frames[i].size(), (m.width * 3 + 3) / 4 * 4 * m.height) << "frame " << i;
    stills += i > 0 && m.frames[i] == m.frames[i - 1];
  }
  EXPECT_LT(stills, 5) << "the maze should be in motion";
  EXPECT_LT(goldPixels(m.frames[5]), 20) << "the name is not there at the start";
  EXPECT_GT(goldPixels(m.frames[100]), 300) << "the name shows later";
}
