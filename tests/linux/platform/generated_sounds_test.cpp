// The generated sounds as the Linux program's sound library reads them
// (SDL's WAVE reader, under SDL_mixer): mono 16-bit PCM, never clipped,
// without clicks at either end. Shots and hits cut each other off: short;
// the game waits for the whole death sound; the music lasts as long as the
// movie.

#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "tools/datagen/intro_movie.h"

TEST(GeneratedSounds, AreCleanDistinctMonoPcmOfFittingLengths) {
  SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "verystrict");  // a data chunk must be whole and of its stated size
  const double movieSeconds = kIntroFrameCount * kIntroMillisecondsPerFrame / 1000.0;
  const struct { const char* name; double minSeconds, maxSeconds; } cases[] = {
      {"m16.wav", 0.1, 1.0}, {"laser.wav", 0.1, 1.0}, {"hit.wav", 0.1, 1.0}, {"death.wav", 1.0, 2.0},
      {"intro.wav", movieSeconds - 0.036, movieSeconds + 0.036}};
  std::set<std::vector<std::int16_t>> distinct;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = std::string(BRAKMOOR_DATA_DIR) + "/data/wav/" + c.name;
    SDL_AudioSpec spec;
    Uint8* buffer = nullptr;
    Uint32 bytes = 0;
    ASSERT_NE(SDL_LoadWAV(path.c_str(), &spec, &buffer, &bytes), nullptr) << SDL_GetError();
    const std::vector<std::int16_t> samples(reinterpret_cast<std::int16_t*>(buffer),
                                            reinterpret_cast<std::int16_t*>(buffer + bytes));
    SDL_FreeWAV(buffer);
    // SDL goes by the chunks; other players trust the RIFF header's size.
    std::uint32_t riffSize = 0;
    std::ifstream(path, std::ios::binary).seekg(4).read(reinterpret_cast<char*>(&riffSize), 4);
    EXPECT_EQ(riffSize + 8, std::filesystem::file_size(path));
    EXPECT_TRUE(spec.format == AUDIO_S16LSB && spec.channels == 1) << spec.format << " " << int(spec.channels);
    EXPECT_TRUE(spec.freq == 22050 || spec.freq == 44100) << spec.freq;
    ASSERT_FALSE(samples.empty());
    int peak = 0;
    for (int sample : samples) peak = std::max(peak, std::abs(sample));
    EXPECT_TRUE(peak > 8000 && peak < 32767) << peak;
    EXPECT_LT(std::abs(samples.front()) + std::abs(samples.back()), 1000) << "clicks";
    const double seconds = static_cast<double>(samples.size()) / spec.freq;
    EXPECT_TRUE(seconds >= c.minSeconds && seconds <= c.maxSeconds) << seconds;
    distinct.insert(samples);
  }
  EXPECT_EQ(distinct.size(), 5u);
}
