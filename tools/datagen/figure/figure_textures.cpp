#include "tools/datagen/figure/figure_textures.h"

#include <algorithm>
#include <cmath>

#include "tools/datagen/random.h"

namespace {

struct Rgb {
  float r, g, b;
};

// A palette running from `dark` to `light` over its 256 entries.
std::vector<uint8_t> rampPalette(Rgb dark, Rgb light) {
  std::vector<uint8_t> palette(768);
  for (int i = 0; i < 256; ++i) {
    const float t = static_cast<float>(i) / 255.0f;
    palette[3 * i] = static_cast<uint8_t>(dark.r + (light.r - dark.r) * t);
    palette[3 * i + 1] = static_cast<uint8_t>(dark.g + (light.g - dark.g) * t);
    palette[3 * i + 2] = static_cast<uint8_t>(dark.b + (light.b - dark.b) * t);
  }
  return palette;
}

// Smooth value noise that wraps around the texture, in [0, 1].
class WrappingNoise {
 public:
  WrappingNoise(int cells, uint64_t seed) : cells_(cells), values_(static_cast<size_t>(cells * cells)) {
    Random random(seed);
    for (float& v : values_) v = random.unit();
  }
  float at(float u, float v) const {
    const float x = u * cells_, y = v * cells_;
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const float fx = smooth(x - x0), fy = smooth(y - y0);
    const float top = lerp(cell(x0, y0), cell(x0 + 1, y0), fx);
    const float bottom = lerp(cell(x0, y0 + 1), cell(x0 + 1, y0 + 1), fx);
    return lerp(top, bottom, fy);
  }

 private:
  static float smooth(float t) { return t * t * (3 - 2 * t); }
  static float lerp(float a, float b, float t) { return a + (b - a) * t; }
  float cell(int x, int y) const {
    const int wx = ((x % cells_) + cells_) % cells_, wy = ((y % cells_) + cells_) % cells_;
    return values_[static_cast<size_t>(wy * cells_ + wx)];
  }
  int cells_;
  std::vector<float> values_;
};

uint8_t level(float v) { return static_cast<uint8_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f); }

// Cloth: mottled blotches with a fine weave and darker seams.
PalettedTexture cloth(const std::string& name, uint64_t seed, Rgb dark, Rgb light) {
  PalettedTexture t{name, 64, 64, false, {}, rampPalette(dark, light)};
  const WrappingNoise blotches(4, seed), grain(32, seed + 1);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const float u = x / 64.0f, v = y / 64.0f;
      float value = 0.25f + 0.45f * blotches.at(u, v) + 0.15f * grain.at(u, v);
      if ((x + y) % 2 == 0) value += 0.04f;     // weave
      if (x % 32 == 0 || y == 40) value -= 0.2f;  // seams
      t.pixels.push_back(level(value));
    }
  }
  return t;
}

PalettedTexture face() {
  PalettedTexture t{"face", 32, 32, false, {}, rampPalette({70, 40, 28}, {236, 190, 160})};
  const WrappingNoise tone(8, 77);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      float value = 0.72f + 0.12f * tone.at(x / 32.0f, y / 32.0f);
      // The front of the head is the middle column; mouth and nose below
      // the visor, shaded cheeks, short hair toward the back.
      const float dx = std::fabs(x - 16.0f);
      if (y == 22 && dx < 2.5f) value = 0.3f;
      if (y >= 18 && y <= 20 && dx < 1.0f) value -= 0.12f;
      if (dx > 7.0f && y > 8) value -= 0.08f * (dx - 7.0f) / 9.0f;
      if (dx > 11.0f && y < 22) value = 0.12f + 0.1f * tone.at(x / 16.0f, y / 16.0f);
      t.pixels.push_back(level(value));
    }
  }
  return t;
}

PalettedTexture gear() {
  PalettedTexture t{"gear", 32, 32, false, {}, rampPalette({8, 9, 12}, {92, 96, 104})};
  const WrappingNoise grain(16, 91);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      float value = 0.18f + 0.22f * grain.at(x / 32.0f, y / 32.0f);
      if (y % 8 == 0) value += 0.25f;       // straps and stitching
      if (x % 16 == 3 && y % 2 == 0) value += 0.3f;
      t.pixels.push_back(level(value));
    }
  }
  return t;
}

// A reflection map: sky above the horizon, ground below, a smoky amber tint
// around the middle where every texel lands when no reference direction is
// given.
PalettedTexture visor() {
  PalettedTexture t{"visor", 64, 64, true, {}, std::vector<uint8_t>(768)};
  for (int i = 0; i < 256; ++i) {
    const float f = i / 255.0f;
    const float r = f < 0.5f ? 40 + 120 * f : 120 + 100 * (f - 0.5f);
    const float g = f < 0.5f ? 28 + 90 * f : 110 + 160 * (f - 0.5f);
    const float b = f < 0.5f ? 20 + 40 * f : 90 + 320 * (f - 0.5f);
    t.palette[3 * i] = static_cast<uint8_t>(std::min(r, 255.0f));
    t.palette[3 * i + 1] = static_cast<uint8_t>(std::min(g, 255.0f));
    t.palette[3 * i + 2] = static_cast<uint8_t>(std::min(b, 255.0f));
  }
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const float height = (32.0f - y) / 32.0f;  // +1 at the top row
      float value = 0.5f + 0.45f * height;
      const float dx = (x - 32.0f) / 32.0f, dy = (y - 32.0f) / 32.0f;
      if (dx * dx + dy * dy < 0.05f) value = 0.42f;  // the tint in the middle
      t.pixels.push_back(level(value));
    }
  }
  return t;
}

}  // namespace

std::vector<PalettedTexture> soldierTextures() {
  return {cloth("uniform", 11, {10, 13, 22}, {70, 78, 98}), face(), gear(), visor(),
          cloth("olive uniform", 23, {24, 28, 14}, {112, 118, 74})};
}
