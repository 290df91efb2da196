#include "game/scene_fonts.h"

#include "render/bitmap_font.h"
#include "render/texture_table.h"

namespace {

constexpr int largeSheetTexture = 17;  // the 512-pixel glyph sheet
constexpr int smallSheetTexture = 18;  // the 256-pixel glyph sheet

void buildFont(BitmapFont& font, int texture, int cell, int advance, float sheetSize,
               int windowWidth, int windowHeight) {
  font.setTexture(textureTable[texture], 16, 16);
  font.setCellSize(cell, cell, advance);
  font.setScreenSize(windowWidth, windowHeight);
  font.build(sheetSize);
}

}  // namespace

void buildGameFonts(int windowWidth, int windowHeight) {
  buildFont(largeDigitFont, largeSheetTexture, 32, 27, 512.0f, windowWidth, windowHeight);
  buildFont(smallFont, smallSheetTexture, 16, 15, 256.0f, windowWidth, windowHeight);
  buildFont(largeFont, largeSheetTexture, 32, 27, 512.0f, windowWidth, windowHeight);
}
