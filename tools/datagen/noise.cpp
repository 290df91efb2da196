#include "tools/datagen/noise.h"

#include <cmath>

#include "tools/datagen/random.h"

namespace {
float smooth(float t) { return t * t * (3.0f - 2.0f * t); }
int wrap(int i, int period) { return ((i % period) + period) % period; }
}  // namespace

TileNoise::TileNoise(int periodX, int periodY, uint64_t seed)
    : periodX_(periodX), periodY_(periodY), lattice_(static_cast<size_t>(periodX) * periodY) {
  Random random(seed);
  for (float& value : lattice_) value = random.unit();
}

float TileNoise::at(float x, float y) const {
  float fx = std::floor(x), fy = std::floor(y);
  int x0 = wrap(static_cast<int>(fx), periodX_), y0 = wrap(static_cast<int>(fy), periodY_);
  int x1 = wrap(x0 + 1, periodX_), y1 = wrap(y0 + 1, periodY_);
  float tx = smooth(x - fx), ty = smooth(y - fy);
  auto cell = [&](int cx, int cy) { return lattice_[static_cast<size_t>(cy) * periodX_ + cx]; };
  float top = cell(x0, y0) + (cell(x1, y0) - cell(x0, y0)) * tx;
  float bottom = cell(x0, y1) + (cell(x1, y1) - cell(x0, y1)) * tx;
  return top + (bottom - top) * ty;
}

FractalNoise::FractalNoise(int basePeriod, int octaves, uint64_t seed) : basePeriod_(basePeriod) {
  for (int octave = 0; octave < octaves; ++octave)
    layers_.emplace_back(basePeriod << octave, seed * 31 + static_cast<uint64_t>(octave) * 7919);
}

float FractalNoise::at(float u, float v) const {
  float sum = 0.0f, weight = 1.0f, total = 0.0f;
  float period = static_cast<float>(basePeriod_);
  for (const TileNoise& layer : layers_) {
    sum += layer.at(u * period, v * period) * weight;
    total += weight;
    weight *= 0.5f;
    period *= 2.0f;
  }
  return total > 0.0f ? sum / total : 0.0f;
}
