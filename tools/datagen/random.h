#pragma once
// A small seeded generator (SplitMix64). Every picture and sound draws its
// randomness from one of these with a fixed seed, so the data tree comes out
// byte for byte the same on every build and every machine.
#include <cstdint>

class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}

  uint32_t next() {
    state_ += 0x9E3779B97F4A7C15ull;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
  }
  // Uniform in [0, 1).
  float unit() { return static_cast<float>(next() >> 8) * (1.0f / 16777216.0f); }
  // Uniform in [-1, 1).
  float signedUnit() { return unit() * 2.0f - 1.0f; }
  // Uniform in [0, count); count must be positive.
  int below(int count) { return static_cast<int>(next() % static_cast<uint32_t>(count)); }

 private:
  uint64_t state_;
};
