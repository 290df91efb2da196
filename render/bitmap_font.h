#pragma once
// Text drawn from a glyph texture: a grid of character cells, each cell one
// display list that draws a textured quad and moves the pen right. A string
// is printed with a single glCallLists under a pixel-exact orthographic
// projection.

#include <cstdint>

class BitmapFont {
 public:
  constexpr BitmapFont() = default;

  void setTexture(std::uint32_t textureId, std::int32_t columns, std::int32_t rows);
  void setCellSize(std::int32_t cellWidth, std::int32_t cellHeight, std::int32_t advance);
  void setScreenSize(std::int32_t width, std::int32_t height);
  void setFirstChar(std::int32_t code);

  // Creates columns x rows display lists in the current rendering context;
  // `textureSize` is the texture's edge length in pixels.
  void build(float textureSize);
  // Draws `text` with its first glyph's bottom-left corner at (x, y), screen
  // pixels from the window's top-left corner, y growing downwards. The caller
  // enables texturing and owns blending, colour and texture environment.
  // Leaves the model-view matrix mode current and the depth test on.
  void print(std::int32_t x, std::int32_t y, const char* text);
  // Deletes the display lists; does nothing when none were built, or when
  // no context is current any more (the lists went with their context).
  void destroy();

  std::uint32_t textureId = 0;
  std::uint32_t listBase = 0;
  std::int32_t cellWidth = 32;
  std::int32_t cellHeight = 32;
  std::int32_t advance = 20;
  std::int32_t firstChar = 0;
  std::int32_t columns = 16;
  std::int32_t rows = 16;
  std::int32_t orthoWidth = 1280;
  std::int32_t orthoHeight = 1024;
};
