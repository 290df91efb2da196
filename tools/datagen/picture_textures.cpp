#include "tools/datagen/picture_textures.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/datagen/glyph_renderer.h"
#include "tools/datagen/noise.h"
#include "tools/datagen/random.h"

namespace {
constexpr float kPi = 3.14159265f;

// A gilded frame with a bevel: light on the upper and left members.
void drawFrame(Image& image, int thickness) {
  const Colour gold{0.72f, 0.55f, 0.2f};
  int size = image.width();
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      int d = std::min(std::min(x, y), std::min(size - 1 - x, size - 1 - y));
      if (d >= thickness) continue;
      bool upperLeft = std::min(x, y) == d;
      float ridge = std::sin(kPi * (d + 0.5f) / thickness);
      image.set(x, y, scaled(gold, (upperLeft ? 1.1f : 0.7f) * (0.6f + 0.5f * ridge)));
    }
}

// A skyline from noise: one height per column, wrapping smoothly.
std::vector<float> ridgeLine(int width, float base, float amplitude, int period, uint64_t seed) {
  TileNoise noise(period, seed);
  std::vector<float> line(static_cast<size_t>(width));
  for (int x = 0; x < width; ++x)
    line[static_cast<size_t>(x)] = base - amplitude * noise.at(static_cast<float>(x) * period / width, 0.5f);
  return line;
}
}  // namespace

Image paintMoorPainting(int size, uint64_t seed) {
  Image image(size, size);
  float horizon = size * 0.62f;
  std::vector<float> mountains = ridgeLine(size, horizon, size * 0.25f, 6, seed);
  std::vector<float> hills = ridgeLine(size, size * 0.75f, size * 0.1f, 4, seed + 1);
  FractalNoise heather(16, 3, seed + 2);
  image.paint([&](int x, int y) {
    float v = static_cast<float>(y) / size;
    if (y < mountains[static_cast<size_t>(x)]) return mix({0.25f, 0.35f, 0.65f}, {0.95f, 0.65f, 0.4f}, v / 0.62f);
    if (y < hills[static_cast<size_t>(x)]) return mix({0.3f, 0.3f, 0.45f}, {0.45f, 0.4f, 0.5f}, v);
    float n = heather.at(static_cast<float>(x) / size, v);
    return mix({0.3f, 0.35f, 0.15f}, {0.45f, 0.25f, 0.35f}, n);
  });
  image.fillCircle(size * 0.7f, size * 0.38f, size * 0.07f, {1.0f, 0.9f, 0.6f});
  // The keep on its hill: a tower with battlements and one lit window.
  float towerX = size * 0.3f, towerBase = hills[static_cast<size_t>(size * 3 / 10)] + 2.0f;
  float towerWidth = size * 0.08f, towerTop = towerBase - size * 0.28f;
  Colour stone{0.15f, 0.13f, 0.16f};
  image.fillRect(static_cast<int>(towerX), static_cast<int>(towerTop), static_cast<int>(towerX + towerWidth),
                 static_cast<int>(towerBase), stone);
  for (int i = 0; i < 3; ++i)
    image.fillRect(static_cast<int>(towerX + i * towerWidth * 0.4f), static_cast<int>(towerTop - size * 0.03f),
                   static_cast<int>(towerX + i * towerWidth * 0.4f + towerWidth * 0.22f), static_cast<int>(towerTop),
                   stone);
  image.fillRect(static_cast<int>(towerX + towerWidth * 0.4f), static_cast<int>(towerTop + size * 0.06f),
                 static_cast<int>(towerX + towerWidth * 0.6f), static_cast<int>(towerTop + size * 0.1f),
                 {1.0f, 0.8f, 0.3f});
  drawFrame(image, size / 12);
  return image;
}

Image paintStarPainting(int size, uint64_t seed) {
  Image image(size, size);
  Random random(seed);
  float centre = size * 0.5f;
  image.paint([&](int x, int y) {
    float dx = (x + 0.5f - centre) / size, dy = (y + 0.5f - centre) / size;
    float r = std::sqrt(dx * dx + dy * dy);
    float glow = std::exp(-r * 9.0f);
    float rays = std::exp(-std::fabs(dx) * 120.0f) + std::exp(-std::fabs(dy) * 120.0f);
    float light = std::min(1.5f, glow + rays * std::exp(-r * 5.0f) * 0.8f);
    Colour sky = mix({0.02f, 0.03f, 0.12f}, {0.1f, 0.05f, 0.25f}, static_cast<float>(y) / size);
    return mix(sky, {1.0f, 0.95f, 0.8f}, std::min(1.0f, light));
  });
  for (int i = 0; i < size / 4; ++i) {
    float brightness = 0.4f + 0.6f * random.unit();
    image.add(random.below(size), random.below(size), {brightness, brightness, brightness * 0.9f});
  }
  drawFrame(image, size / 12);
  return image;
}

Image paintEmblem(int size) {
  Image image(size, size);
  float s = static_cast<float>(size);
  auto shield = [&](float inset) {
    return std::vector<Point>{{s * 0.15f + inset, s * 0.1f + inset},  {s * 0.85f - inset, s * 0.1f + inset},
                              {s * 0.85f - inset, s * 0.5f},          {s * 0.5f, s * 0.92f - inset * 1.4f},
                              {s * 0.15f + inset, s * 0.5f}};
  };
  image.fillPolygon(shield(0.0f), {0.85f, 0.68f, 0.25f});
  image.fillPolygon(shield(s * 0.05f), {0.45f, 0.05f, 0.08f});
  GlyphRenderer bold(fontPath("DejaVuSans-Bold.ttf"));
  int pixelSize = size / 2;
  int width = bold.measure("B", pixelSize);
  bold.drawText(image, "B", pixelSize, (size - width) / 2, static_cast<int>(s * 0.66f), {0.95f, 0.8f, 0.3f});
  return image;
}

Image paintGun(int size, GunKind kind) {
  Image image(size, size);
  float s = size / 256.0f;
  auto at = [s](float x, float y) { return Point{x * s, y * s}; };
  bool laser = kind == GunKind::Laser;
  Colour body = laser ? Colour{0.45f, 0.5f, 0.6f} : Colour{0.38f, 0.38f, 0.36f};
  Colour dark = scaled(body, 0.55f);
  image.fillPolygon({at(70, 256), at(186, 256), at(164, 150), at(92, 150)}, body);  // receiver
  float barrel = laser ? 14.0f : 8.0f;
  image.fillPolygon({at(128 - barrel, 150), at(128 + barrel, 150), at(128 + barrel * 0.6f, 36),
                     at(128 - barrel * 0.6f, 36)},
                    dark);
  if (laser) {
    image.fillPolygon({at(100, 150), at(156, 150), at(150, 120), at(106, 120)}, body);
    for (float side : {-1.0f, 1.0f})  // cooling fins
      image.fillPolygon({at(128 + side * 28, 150), at(128 + side * 44, 176), at(128 + side * 40, 182),
                         at(128 + side * 24, 160)},
                        dark);
  } else {
    image.fillPolygon({at(104, 150), at(152, 150), at(142, 84), at(114, 84)}, body);  // handguard
    for (int slot = 0; slot < 5; ++slot) {                                              // its vents
      float y = 96.0f + slot * 10.0f;
      image.drawLine(118 * s, y * s, 138 * s, y * s, 3.0f * s, {0.0f, 0.0f, 0.0f});
    }
    image.fillPolygon({at(110, 150), at(146, 150), at(144, 128), at(112, 128)}, dark);  // carrying handle
    image.fillCircle(128 * s, 139 * s, 6.0f * s, {0.0f, 0.0f, 0.0f});                    // rear sight
    image.fillPolygon({at(126, 40), at(130, 40), at(129, 24), at(127, 24)}, dark);     // front sight
  }
  // Round the shapes: light falls from the upper left.
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      Colour c = image.colour(x, y);
      if (c.r + c.g + c.b == 0.0f) continue;
      float across = (static_cast<float>(x) / size - 0.46f) * kPi * 2.6f;
      image.set(x, y, scaled(c, (0.45f + 0.75f * std::max(0.0f, std::cos(across))) * (1.0f - 0.3f * y / size)));
    }
  if (laser) {
    // Glowing coils along the barrel and a charged emitter at its tip.
    for (int ring = 0; ring < 5; ++ring) {
      float y = 130.0f - ring * 18.0f, half = barrel * (1.2f - ring * 0.08f);
      image.drawLine(128 * s - half * s, y * s, 128 * s + half * s, y * s, 4.0f * s, {0.3f, 0.8f, 1.0f});
    }
    for (int i = 0; i < 3; ++i) image.fillCircle(128 * s, 36 * s, (10.0f - i * 3.0f) * s, {0.4f + i * 0.3f, 0.9f, 1.0f});
  }
  return image;
}

Image paintMuzzleFlash(int size, int rays, float heat, uint64_t seed) {
  Random random(seed);
  std::vector<float> reach(static_cast<size_t>(rays));
  for (float& r : reach) r = 0.6f + 0.4f * random.unit();
  float centre = size * 0.5f;
  Image image(size, size);
  image.paint([&](int x, int y) {
    float dx = x + 0.5f - centre, dy = y + 0.5f - centre;
    float r = std::sqrt(dx * dx + dy * dy) / centre;
    float angle = std::atan2(dy, dx) / (2.0f * kPi) + 0.5f;  // 0 to 1
    float position = angle * rays;
    int ray = static_cast<int>(position) % rays;
    // 1 along the middle of a ray, 0 between rays.
    float spike = std::pow(std::fabs(std::cos(kPi * (position - std::floor(position) - 0.5f))), 6.0f);
    float flame = std::exp(-r / (0.08f + 0.3f * reach[static_cast<size_t>(ray)] * spike));
    float core = std::exp(-r * 10.0f);
    // Fades out completely before the picture's edge: black stays invisible.
    float edge = std::max(0.0f, 1.0f - r);
    float intensity = std::min(1.0f, flame + core) * edge * edge;
    Colour hot = mix({0.9f, 0.25f, 0.02f}, {1.0f, 0.85f, 0.4f}, heat);
    return mix(scaled(hot, intensity), {1.0f, 1.0f, 0.9f}, core);
  });
  return image;
}

Image paintCrosshair(int size) {
  Image image(size, size);
  float c = size * 0.5f, gap = size * 0.1f, reach = size * 0.45f, width = std::max(1.5f, size / 32.0f);
  Colour green{0.3f, 1.0f, 0.4f};
  image.drawLine(c - reach, c, c - gap, c, width, green);
  image.drawLine(c + gap, c, c + reach, c, width, green);
  image.drawLine(c, c - reach, c, c - gap, width, green);
  image.drawLine(c, c + gap, c, c + reach, width, green);
  image.fillCircle(c, c, width * 0.8f, {1.0f, 1.0f, 1.0f});
  return image;
}
