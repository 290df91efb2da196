#pragma once
// Tileable value noise. Textures repeat across walls and floors, so every
// noise field wraps around exactly at its period: a lattice of `period`
// random values per axis, smoothly interpolated.
#include <cstdint>
#include <vector>

class TileNoise {
 public:
  TileNoise(int period, uint64_t seed) : TileNoise(period, period, seed) {}
  // Different periods across and down, for streaks.
  TileNoise(int periodX, int periodY, uint64_t seed);
  // x and y in lattice units; wraps with the period. Result in [0, 1].
  float at(float x, float y) const;

 private:
  int periodX_, periodY_;
  std::vector<float> lattice_;
};

// Sum of `octaves` noise layers, each of twice the frequency and half the
// weight of the one before; `u`, `v` in [0, 1) over one tile. The base layer
// has `basePeriod` lattice cells across the tile. Result in [0, 1].
class FractalNoise {
 public:
  FractalNoise(int basePeriod, int octaves, uint64_t seed);
  float at(float u, float v) const;

 private:
  std::vector<TileNoise> layers_;
  int basePeriod_;
};
