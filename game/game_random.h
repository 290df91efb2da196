#pragma once
// The game's random numbers: the same generator on every system, the one
// the Windows program's C runtime has (a linear congruential generator whose
// draws are 15-bit numbers), so a seed places the enemies on the same cells
// and throws the same sparks wherever the game runs. One record per game,
// seeded once when the game starts.

#include <cstdint>

struct GameRandom {
  std::uint32_t state = 1;  // as the C runtime before any seeding
};

void seedRandom(GameRandom& random, unsigned seed);
// The next draw, 0 to 32767.
int nextRandom(GameRandom& random);
