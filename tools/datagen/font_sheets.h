#pragma once
// Glyph sheets for the game's bitmap fonts: 16 x 16 square cells, white on
// black, glyph g in column g % 16 and row g / 16 counted from the top.
// Glyphs 0-95 are the characters 32-127 in a regular face and glyphs
// 128-223 the same characters in bold (the heads-up display prints digits
// from there with a first character of -96).
#include <optional>

#include "tools/datagen/image.h"

struct FontSheetLayout {
  int cellSize;  // pixels per cell edge; the sheet is 16 cells wide and high
  int advance;   // the printing font's pen advance: glyphs are centred in it
};

constexpr FontSheetLayout kLargeFontSheet{32, 27};  // font512.bmp
constexpr FontSheetLayout kSmallFontSheet{16, 15};  // font256.bmp

// Nothing (after a message) when a font file cannot be read.
std::optional<Image> makeFontSheet(FontSheetLayout layout);
