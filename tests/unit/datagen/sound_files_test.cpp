// The five WAV files: PCM the multimedia library plays, each its own sound,
// long enough to be heard, never clipped, starting and ending without clicks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

#include "tests/unit/datagen/data_readers.h"

TEST(SoundFiles, AreCleanDistinctMonoPcmOfFittingLengths) {
  // Shots and hits come often and cut each other off: short. The game waits
  // for the whole death sound. The music goes with the 5 to 8 second movie.
  const struct { const char* name; double minSeconds, maxSeconds; } cases[] = {
      {"m16.wav", 0.1, 1.0}, {"laser.wav", 0.1, 1.0}, {"hit.wav", 0.1, 1.0}, {"death.wav", 1.0, 2.0},
      {"intro.wav", 5.0, 8.0}};
  std::set<std::vector<int16_t>> distinct;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WavSound s = readWav(dataPath(std::string("wav/") + c.name));
    ASSERT_EQ(s.problem, "");
    EXPECT_EQ(s.format, 1);
    EXPECT_EQ(s.channels, 1);
    EXPECT_TRUE(s.sampleRate == 22050 || s.sampleRate == 44100) << s.sampleRate;
    EXPECT_EQ(s.bitsPerSample, 16);
    ASSERT_FALSE(s.samples.empty());
    int peak = 0;  // the loudest sample
    for (int sample : s.samples) peak = std::max(peak, std::abs(sample));
    EXPECT_LT(peak, 32767) << "clipped";
    EXPECT_GT(peak, 8000) << "too quiet to hear";
    EXPECT_LT(std::abs(s.samples.front()), 1000) << "clicks when it starts";
    EXPECT_LT(std::abs(s.samples.back()), 1000) << "clicks when it stops";
    EXPECT_TRUE(s.seconds() >= c.minSeconds && s.seconds() <= c.maxSeconds) << s.seconds();
    distinct.insert(s.samples);
  }
  EXPECT_EQ(distinct.size(), 5u) << "every sound its own";
}
