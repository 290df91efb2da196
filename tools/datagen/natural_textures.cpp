#include "tools/datagen/natural_textures.h"

#include <cmath>

#include "tools/datagen/noise.h"
#include "tools/datagen/random.h"

namespace {
constexpr float kTwoPi = 6.28318531f;

float unitX(int x, int size) { return static_cast<float>(x) / size; }

// A square picture painted from f(u, v), with u and v from 0 to 1 across it.
template <typename F>
Image paintUnitSquare(int size, F f) {
  Image image(size, size);
  image.paint([&](int x, int y) { return f(unitX(x, size), unitX(y, size)); });
  return image;
}
}  // namespace

Image paintMarble(int size, Colour base, Colour vein, uint64_t seed) {
  FractalNoise turbulence(4, 5, seed);
  FractalNoise cloud(8, 3, seed + 7);
  return paintUnitSquare(size, [&](float u, float v) {
    // Whole multiples of u and v keep the stripes continuous across edges.
    float phase = kTwoPi * (2.0f * u + v) + 7.0f * turbulence.at(u, v);
    float veins = std::pow(1.0f - std::fabs(std::sin(phase)), 10.0f);
    Colour c = scaled(base, 0.88f + 0.2f * cloud.at(u, v));
    return mix(c, vein, veins * 0.85f);
  });
}

Image paintGranite(int size, Colour base, Colour dark, Colour light, uint64_t seed) {
  FractalNoise coarse(8, 3, seed);
  FractalNoise fine(64, 2, seed + 3);
  Random random(seed + 11);
  return paintUnitSquare(size, [&](float u, float v) {
    float grain = fine.at(u, v);
    Colour c = scaled(base, 0.8f + 0.4f * coarse.at(u, v));
    if (grain < 0.33f) c = mix(c, dark, (0.33f - grain) * 4.0f);
    if (grain > 0.68f) c = mix(c, light, (grain - 0.68f) * 4.0f);
    // Single crystals glint here and there.
    return scaled(c, random.below(40) == 0 ? 1.3f : 1.0f);
  });
}

Image paintWater(int size, Colour deep, Colour light, uint64_t seed) {
  FractalNoise swell(4, 4, seed);
  FractalNoise ripple(8, 3, seed + 5);
  return paintUnitSquare(size, [&](float u, float v) {
    float depth = swell.at(u, v);
    // Caustic lines: bright where the ripple field crosses its contour lines.
    float contour = std::fabs(std::sin(kTwoPi * 5.0f * ripple.at(u, v) + 3.0f * depth));
    float caustic = std::pow(1.0f - contour, 6.0f);
    Colour c = mix(deep, light, 0.25f + 0.4f * depth);
    return mix(c, {0.85f, 0.95f, 1.0f}, caustic * 0.6f);
  });
}

namespace {
// Grain of one plank at (u, v): rings stretched along the plank.
Colour woodGrain(const FractalNoise& warp, float u, float v, int plank, Colour light, Colour dark) {
  float shift = static_cast<float>(plank) * 0.37f;
  float rings = std::sin(kTwoPi * (12.0f * u + shift) + 9.0f * warp.at(u + shift, v));
  float fibre = warp.at(u * 7.0f + shift, v * 0.5f);
  return scaled(mix(dark, light, 0.5f + 0.5f * rings), 0.85f + 0.3f * fibre);
}
}  // namespace

Image paintWoodPlanks(int size, int plankCount, Colour light, Colour dark, uint64_t seed) {
  FractalNoise warp(4, 4, seed);
  Random random(seed + 1);
  std::vector<float> tone(static_cast<size_t>(plankCount));
  for (float& t : tone) t = 0.85f + 0.3f * random.unit();
  int plankWidth = size / plankCount;
  Image image(size, size);
  image.paint([&](int x, int y) {
    int plank = x / plankWidth, inside = x % plankWidth;
    if (inside == 0 || inside == plankWidth - 1) return scaled(dark, 0.35f);  // gap between planks
    Colour c = woodGrain(warp, unitX(x, size), unitX(y, size), plank, light, dark);
    return scaled(c, tone[static_cast<size_t>(plank)]);
  });
  // Nail heads where the planks meet the (unseen) joists.
  for (int plank = 0; plank < plankCount; ++plank)
    for (float row : {0.12f, 0.62f})
      image.fillCircle((plank + 0.5f) * plankWidth, row * size, size / 96.0f, scaled(dark, 0.4f));
  return image;
}

Image paintCrate(int size, Colour light, Colour dark, uint64_t seed) {
  Image image = paintWoodPlanks(size, 4, light, dark, seed);
  FractalNoise warp(4, 4, seed + 9);
  int frame = size / 8;
  Colour frameTone = scaled(light, 0.8f);
  // The frame and the brace are solid boards laid across the planks.
  auto board = [&](int x, int y) {
    Colour c = woodGrain(warp, unitX(y, size), unitX(x, size), 3, frameTone, dark);
    image.set(x, y, c);
  };
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      bool onFrame = x < frame || y < frame || x >= size - frame || y >= size - frame;
      float diagonal = std::fabs(static_cast<float>(x - y)) / std::sqrt(2.0f);
      if (onFrame || diagonal < frame * 0.6f) board(x, y);
    }
  Colour edge = scaled(dark, 0.3f);
  for (int i : {frame, size - frame}) {
    image.drawLine(static_cast<float>(i), frame, static_cast<float>(i), size - frame, 2.0f, edge);
    image.drawLine(frame, static_cast<float>(i), size - frame, static_cast<float>(i), 2.0f, edge);
  }
  for (float cx : {frame * 0.5f, size - frame * 0.5f})
    for (float cy : {frame * 0.5f, size - frame * 0.5f}) image.fillCircle(cx, cy, size / 64.0f, {0.2f, 0.2f, 0.22f});
  return image;
}
