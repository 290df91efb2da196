#pragma once
// Text drawn with FreeType from the DejaVu fonts of the system's font
// package: glyph coverage masks for the font sheets, and whole strings for
// the title picture and the intro movie.
#include <memory>
#include <string>
#include <vector>

#include "tools/datagen/image.h"

// One glyph's coverage (0 to 255), with its placement relative to the pen:
// `left` pixels right of the pen, `top` pixels above the baseline.
struct GlyphMask {
  int width = 0, height = 0, left = 0, top = 0, advance = 0;
  std::vector<unsigned char> coverage;  // rows top first
};

class GlyphRenderer {
 public:
  // Empty (failed() true, with a message on stderr) when the font cannot be read.
  explicit GlyphRenderer(const std::string& fontPath);
  ~GlyphRenderer();
  GlyphRenderer(const GlyphRenderer&) = delete;
  GlyphRenderer& operator=(const GlyphRenderer&) = delete;

  bool failed() const { return !state_; }
  GlyphMask render(char32_t character, int pixelSize) const;
  // Width in pixels of `text` set at `pixelSize`.
  int measure(const std::string& text, int pixelSize) const;
  // Draws `text` with its baseline at `baselineY`, starting at `x`.
  void drawText(Image& target, const std::string& text, int pixelSize, int x, int baselineY, Colour c) const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Where the fonts live on this system.
std::string fontPath(const char* fileName);
