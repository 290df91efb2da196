#pragma once
// An RGB picture in memory, row 0 at the top, with the few drawing
// operations the generator's painters need. Everything clips at the edges.
#include <cstddef>
#include <cstdint>
#include <vector>

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

struct Point {
  float x = 0.0f, y = 0.0f;
};

// Colours in floating point while painting; converted with rounding and
// clamping when stored.
struct Colour {
  float r = 0.0f, g = 0.0f, b = 0.0f;
};

Colour mix(Colour a, Colour b, float t);
class Image;
// `source` reduced by a whole factor, each pixel the mean of a square block.
Image shrunk(const Image& source, int factor);
// `source` mirrored left to right.
Image mirrored(const Image& source);
Colour scaled(Colour c, float factor);
Colour toColour(Rgb c);
Rgb toRgb(Colour c);

class Image {
 public:
  Image(int width, int height, Colour fill = {});

  int width() const { return width_; }
  int height() const { return height_; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Rgb pixel(int x, int y) const { return pixels_[index(x, y)]; }
  Colour colour(int x, int y) const { return toColour(pixels_[index(x, y)]); }
  void set(int x, int y, Colour c);
  // Lays `c` over the pixel with opacity `alpha` (0 to 1).
  void blend(int x, int y, Colour c, float alpha);
  // Adds light, as the game's additive blending would.
  void add(int x, int y, Colour c);

  void fillRect(int x0, int y0, int x1, int y1, Colour c);  // x1, y1 exclusive
  void fillCircle(float cx, float cy, float radius, Colour c);
  // A polygon (even-odd rule), four samples per pixel for smooth edges.
  void fillPolygon(const std::vector<Point>& corners, Colour c);
  // A soft-edged line of the given width.
  void drawLine(float x0, float y0, float x1, float y1, float width, Colour c);
  // Every pixel through f(x, y) -> Colour.
  template <typename F>
  void paint(F f) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) set(x, y, f(x, y));
  }
  // Copies `source` with its top-left corner at (x, y).
  void draw(const Image& source, int x, int y);

  const std::vector<Rgb>& pixels() const { return pixels_; }

 private:
  size_t index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }
  int width_, height_;
  std::vector<Rgb> pixels_;
};
