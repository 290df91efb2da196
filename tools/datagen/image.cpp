#include "tools/datagen/image.h"

#include <algorithm>
#include <cmath>

namespace {
uint8_t toByte(float v) {
  float clamped = std::min(1.0f, std::max(0.0f, v));
  return static_cast<uint8_t>(std::lround(clamped * 255.0f));
}
}  // namespace

Colour mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour scaled(Colour c, float factor) { return {c.r * factor, c.g * factor, c.b * factor}; }

Colour toColour(Rgb c) { return {c.r / 255.0f, c.g / 255.0f, c.b / 255.0f}; }

Rgb toRgb(Colour c) { return {toByte(c.r), toByte(c.g), toByte(c.b)}; }

Image::Image(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, toRgb(fill)) {}

void Image::set(int x, int y, Colour c) {
  if (contains(x, y)) pixels_[index(x, y)] = toRgb(c);
}

void Image::blend(int x, int y, Colour c, float alpha) {
  if (contains(x, y)) set(x, y, mix(colour(x, y), c, std::min(1.0f, std::max(0.0f, alpha))));
}

void Image::add(int x, int y, Colour c) {
  if (!contains(x, y)) return;
  Colour old = colour(x, y);
  set(x, y, {old.r + c.r, old.g + c.g, old.b + c.b});
}

void Image::fillRect(int x0, int y0, int x1, int y1, Colour c) {
  for (int y = std::max(0, y0); y < std::min(height_, y1); ++y)
    for (int x = std::max(0, x0); x < std::min(width_, x1); ++x) set(x, y, c);
}

void Image::fillCircle(float cx, float cy, float radius, Colour c) {
  int x0 = static_cast<int>(std::floor(cx - radius - 1)), x1 = static_cast<int>(std::ceil(cx + radius + 1));
  int y0 = static_cast<int>(std::floor(cy - radius - 1)), y1 = static_cast<int>(std::ceil(cy + radius + 1));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
      blend(x, y, c, radius + 0.5f - d);
    }
}

namespace {
bool insidePolygon(const std::vector<Point>& corners, float x, float y) {
  bool inside = false;
  for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
    const Point& a = corners[i];
    const Point& b = corners[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}
}  // namespace

void Image::fillPolygon(const std::vector<Point>& corners, Colour c) {
  if (corners.size() < 3) return;
  float left = corners[0].x, right = left, top = corners[0].y, bottom = top;
  for (const Point& p : corners) {
    left = std::min(left, p.x), right = std::max(right, p.x);
    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  }
  for (int y = static_cast<int>(std::floor(top)); y <= static_cast<int>(std::ceil(bottom)); ++y)
    for (int x = static_cast<int>(std::floor(left)); x <= static_cast<int>(std::ceil(right)); ++x) {
      int hits = 0;
      for (float sy : {0.25f, 0.75f})
        for (float sx : {0.25f, 0.75f}) hits += insidePolygon(corners, x + sx, y + sy) ? 1 : 0;
      if (hits > 0) blend(x, y, c, hits / 4.0f);
    }
}

void Image::drawLine(float x0, float y0, float x1, float y1, float width, Colour c) {
  float dx = x1 - x0, dy = y1 - y0;
  float lengthSquared = std::max(1e-6f, dx * dx + dy * dy);
  float half = width * 0.5f;
  int left = static_cast<int>(std::floor(std::min(x0, x1) - half - 1));
  int right = static_cast<int>(std::ceil(std::max(x0, x1) + half + 1));
  int top = static_cast<int>(std::floor(std::min(y0, y1) - half - 1));
  int bottom = static_cast<int>(std::ceil(std::max(y0, y1) + half + 1));
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      float px = x + 0.5f - x0, py = y + 0.5f - y0;
      float t = std::min(1.0f, std::max(0.0f, (px * dx + py * dy) / lengthSquared));
      float d = std::hypot(px - t * dx, py - t * dy);
      blend(x, y, c, half + 0.5f - d);
    }
}

void Image::draw(const Image& source, int x, int y) {
  for (int sy = 0; sy < source.height(); ++sy)
    for (int sx = 0; sx < source.width(); ++sx)
      if (contains(x + sx, y + sy)) pixels_[index(x + sx, y + sy)] = source.pixel(sx, sy);
}

Image shrunk(const Image& source, int factor) {
  Image result(source.width() / factor, source.height() / factor);
  float weight = 1.0f / static_cast<float>(factor * factor);
  for (int y = 0; y < result.height(); ++y)
    for (int x = 0; x < result.width(); ++x) {
      Colour sum;
      for (int dy = 0; dy < factor; ++dy)
        for (int dx = 0; dx < factor; ++dx) {
          Colour c = source.colour(x * factor + dx, y * factor + dy);
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
      result.set(x, y, scaled(sum, weight));
    }
  return result;
}

Image mirrored(const Image& source) {
  Image result(source.width(), source.height());
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x) result.set(source.width() - 1 - x, y, source.colour(x, y));
  return result;
}
