#include "game/game_random.h"

void seedRandom(GameRandom& random, unsigned seed) { random.state = seed; }

int nextRandom(GameRandom& random) {
  random.state = random.state * 214013u + 2531011u;
  return static_cast<int>((random.state >> 16) & 0x7fffu);
}
