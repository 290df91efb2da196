#include "game/scene_fonts.h"

#include "render/scene_resources.h"

namespace {


void buildFont(BitmapFont& font, GLuint texture, int cell, int advance, float sheetSize,
               int windowWidth, int windowHeight) {
  font.setTexture(texture, 16, 16);
  font.setCellSize(cell, cell, advance);
  font.setScreenSize(windowWidth, windowHeight);
  font.build(sheetSize);
}

}  // namespace

void buildGameFonts(SceneResources& scene, int windowWidth, int windowHeight) {
  const GLuint largeSheet = scene.textureTable[textureLargeFontSheet];
  const GLuint smallSheet = scene.textureTable[textureSmallFontSheet];
  buildFont(scene.largeDigitFont, largeSheet, 32, 27, 512.0f, windowWidth, windowHeight);
  buildFont(scene.smallFont, smallSheet, 16, 15, 256.0f, windowWidth, windowHeight);
  buildFont(scene.largeFont, largeSheet, 32, 27, 512.0f, windowWidth, windowHeight);
}
