#include "game/scene_fonts.h"

#include "game/game_state.h"
#include "render/bitmap_font.h"
#include "render/texture_table.h"

namespace {

constexpr int largeSheetTexture = 17;  // the 512-pixel glyph sheet
constexpr int smallSheetTexture = 18;  // the 256-pixel glyph sheet

void buildFont(BitmapFont& font, int texture, int cell, int advance, float sheetSize) {
  font.setTexture(textureTable[texture], 16, 16);
  font.setCellSize(cell, cell, advance);
  font.setScreenSize(screenWidth, screenHeight);
  font.build(sheetSize);
}

}  // namespace

void buildGameFonts() {
  buildFont(largeDigitFont, largeSheetTexture, 32, 27, 512.0f);
  buildFont(smallFont, smallSheetTexture, 16, 15, 256.0f);
  buildFont(largeFont, largeSheetTexture, 32, 27, 512.0f);
}
