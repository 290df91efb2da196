#include "tools/datagen/metal_textures.h"

#include <algorithm>
#include <cmath>

#include "tools/datagen/noise.h"

namespace {
// A domed rivet: light on its upper left, dark on its lower right.
void rivet(Image& image, float cx, float cy, float radius, Colour metal) {
  image.fillCircle(cx + radius * 0.3f, cy + radius * 0.3f, radius, scaled(metal, 0.35f));
  image.fillCircle(cx, cy, radius, scaled(metal, 0.9f));
  image.fillCircle(cx - radius * 0.3f, cy - radius * 0.3f, radius * 0.4f, scaled(metal, 1.4f));
}

// Streaks of brushed metal: noise stretched hard along x.
constexpr int kStreaksAcross = 4, kStreaksDown = 128;
TileNoise brushNoise(uint64_t seed) { return TileNoise(kStreaksAcross, kStreaksDown, seed); }
float brushed(const TileNoise& streaks, int x, int y, int size) {
  return streaks.at(static_cast<float>(x) * kStreaksAcross / size, static_cast<float>(y) * kStreaksDown / size);
}
}  // namespace

Image paintBrass(int size, uint64_t seed) {
  TileNoise streaks = brushNoise(seed);
  FractalNoise tarnish(4, 3, seed + 1);
  const Colour brass{0.78f, 0.6f, 0.24f};
  Image image(size, size);
  image.paint([&](int x, int y) {
    float u = static_cast<float>(x) / size, v = static_cast<float>(y) / size;
    float shine = 0.8f + 0.35f * brushed(streaks, x, y, size);
    // A broad highlight running diagonally across the plate.
    float highlight = 0.5f + 0.5f * std::cos(6.28318531f * (u + v));
    Colour c = scaled(brass, shine * (0.85f + 0.3f * highlight));
    return mix(c, {0.3f, 0.35f, 0.2f}, std::max(0.0f, tarnish.at(u, v) - 0.6f) * 1.5f);
  });
  int margin = size / 16;
  for (int cx : {margin, size - margin})
    for (int cy : {margin, size - margin}) rivet(image, cx, cy, size / 40.0f, brass);
  return image;
}

Image paintGrating(int size, uint64_t seed) {
  FractalNoise rust(8, 3, seed);
  const int cells = 8;  // diamonds across the picture
  const Colour steel{0.55f, 0.57f, 0.6f};
  Image image(size, size);
  image.paint([&](int x, int y) {
    float u = static_cast<float>(x) / size, v = static_cast<float>(y) / size;
    float pit = 0.05f + 0.08f * rust.at(u, v);
    // Distance to the nearest wire of each diagonal family, in cell units.
    float a = (u + v) * cells, b = (u - v) * cells;
    float da = std::fabs(a - std::round(a)), db = std::fabs(b - std::round(b));
    float wire = std::min(da, db);
    float thickness = 0.09f;
    if (wire > thickness) return Colour{pit, pit * 0.9f, pit * 0.8f};
    float roundness = std::sqrt(1.0f - (wire / thickness) * (wire / thickness));
    Colour metal = mix(steel, {0.5f, 0.3f, 0.15f}, std::max(0.0f, rust.at(u, v) - 0.45f) * 2.0f);
    return scaled(metal, 0.4f + 0.8f * roundness);
  });
  return image;
}

Image paintRivetedPanels(int size, int panelsAcross, Colour metal, uint64_t seed) {
  TileNoise streaks = brushNoise(seed);
  FractalNoise grime(4, 3, seed + 1);
  int panel = size / panelsAcross;
  Image image(size, size);
  image.paint([&](int x, int y) {
    float u = static_cast<float>(x) / size, v = static_cast<float>(y) / size;
    int px = x % panel, py = y % panel;
    // A groove between panels, half on either side of the border, so the
    // picture tiles: each panel's upper left edge catches the light.
    if (px < 1 || py < 1 || px >= panel - 1 || py >= panel - 1) return scaled(metal, 0.3f);
    float shade = (px < 4 || py < 4) ? 1.2f : (px >= panel - 4 || py >= panel - 4) ? 0.75f : 1.0f;
    return scaled(metal, shade * (0.85f + 0.2f * brushed(streaks, x, y, size)) * (0.8f + 0.3f * grime.at(u, v)));
  });
  float inset = panel * 0.12f;
  for (int row = 0; row < panelsAcross; ++row)
    for (int column = 0; column < panelsAcross; ++column)
      for (float dx : {inset, panel - inset})
        for (float dy : {inset, panel - inset})
          rivet(image, column * panel + dx, row * panel + dy, size / 90.0f, metal);
  return image;
}
