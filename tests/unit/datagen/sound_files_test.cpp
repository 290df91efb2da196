// The five WAV files: PCM the multimedia library plays, long enough to be
// heard, never clipped, starting and ending without clicks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "tests/unit/datagen/data_readers.h"

namespace {
int peak(const WavSound& sound) {
  int loudest = 0;
  for (int16_t s : sound.samples) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
  return loudest;
}

WavSound sound(const char* name) { return readWav(dataPath(std::string("wav/") + name)); }
}  // namespace

TEST(SoundFiles, AllAreCleanSixteenBitMonoPcm) {
  for (const char* name : {"m16.wav", "laser.wav", "hit.wav", "death.wav", "intro.wav"}) {
    SCOPED_TRACE(name);
    WavSound s = sound(name);
    ASSERT_EQ(s.problem, "");
    EXPECT_EQ(s.format, 1);
    EXPECT_EQ(s.channels, 1);
    EXPECT_TRUE(s.sampleRate == 22050 || s.sampleRate == 44100) << s.sampleRate;
    EXPECT_EQ(s.bitsPerSample, 16);
    ASSERT_FALSE(s.samples.empty());
    EXPECT_LT(peak(s), 32767) << "clipped";
    EXPECT_GT(peak(s), 8000) << "too quiet to hear";
    EXPECT_LT(std::abs(s.samples.front()), 1000) << "clicks when it starts";
    EXPECT_LT(std::abs(s.samples.back()), 1000) << "clicks when it stops";
  }
}

TEST(SoundFiles, LengthsSuitWhenTheGamePlaysThem) {
  // Shots and hits come often and cut each other off: short.
  for (const char* name : {"m16.wav", "laser.wav", "hit.wav"}) {
    double seconds = sound(name).seconds();
    EXPECT_GT(seconds, 0.1) << name;
    EXPECT_LT(seconds, 1.0) << name;
  }
  // The game waits for the whole death sound.
  double death = sound("death.wav").seconds();
  EXPECT_GE(death, 1.0);
  EXPECT_LE(death, 2.0);
  // The music lasts as long as the movie.
  AviMovie movie = readAvi(dataPath("avi/intro.avi"));
  ASSERT_EQ(movie.problem, "");
  double movieSeconds = movie.frames.size() * 0.036;
  EXPECT_NEAR(sound("intro.wav").seconds(), movieSeconds, 0.036);
}

TEST(SoundFiles, TheSoundsAreDifferent) {
  const char* names[] = {"m16.wav", "laser.wav", "hit.wav", "death.wav", "intro.wav"};
  for (size_t i = 0; i < 5; ++i)
    for (size_t j = i + 1; j < 5; ++j) EXPECT_NE(sound(names[i]).samples, sound(names[j]).samples);
}
