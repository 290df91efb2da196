#include "render/bitmap_font.h"

#include <cstring>
#include <string>

#include "render/gl_api.h"

void BitmapFont::setTexture(std::uint32_t texture, std::int32_t columnCount, std::int32_t rowCount) {
  textureId = texture;
  columns = columnCount;
  rows = rowCount;
}

void BitmapFont::setCellSize(std::int32_t width, std::int32_t height, std::int32_t penAdvance) {
  cellWidth = width;
  cellHeight = height;
  advance = penAdvance;
}

void BitmapFont::setScreenSize(std::int32_t width, std::int32_t height) {
  orthoWidth = width;
  orthoHeight = height;
}

void BitmapFont::setFirstChar(std::int32_t code) { firstChar = code; }

void BitmapFont::build(float textureSize) {
  const float scale = 1.0f / textureSize;
  const float cw = static_cast<float>(cellWidth) * scale;
  const float ch = static_cast<float>(cellHeight) * scale;
  const std::int32_t glyphCount = columns * rows;

  listBase = glGenLists(glyphCount);
  glBindTexture(GL_TEXTURE_2D, textureId);
  // Without lists (no context, no names left) there is nothing to compile into.
  if (listBase == 0) return;
  for (std::int32_t g = 0; g < glyphCount; ++g) {
    // Glyph rows are counted from the top edge of the texture, where t is 1.
    const float s0 = static_cast<float>(g % columns) * cw;
    const float s1 = s0 + cw;
    const float t1 = 1.0f - static_cast<float>(g / columns) * ch;
    const float t0 = t1 - ch;
    glNewList(listBase + g, GL_COMPILE);
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2i(0, 0);
    glTexCoord2f(s1, t0);
    glVertex2i(cellWidth - 1, 0);
    glTexCoord2f(s1, t1);
    glVertex2i(cellWidth - 1, cellHeight - 1);
    glTexCoord2f(s0, t1);
    glVertex2i(0, cellHeight - 1);
    glEnd();
    glTranslated(advance, 0, 0);
    glEndList();
  }
}

void BitmapFont::print(std::int32_t x, std::int32_t y, const char* text) {
  if (text == nullptr || text[0] == '\0' || listBase == 0) return;

  // A byte whose glyph lies outside this font would call another font's
  // lists (or none); such bytes are left out.
  const std::int32_t glyphCount = columns * rows;
  const std::size_t length = std::strlen(text);
  std::string inFont;
  inFont.reserve(length);
  for (std::size_t i = 0; i < length; ++i) {
    const std::int32_t glyph = static_cast<signed char>(text[i]) - firstChar;
    if (glyph >= 0 && glyph < glyphCount) inFont.push_back(text[i]);
  }

  glBindTexture(GL_TEXTURE_2D, textureId);
  glDisable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, orthoWidth, 0, orthoHeight, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glTranslated(x, orthoHeight - y, 0);
  glListBase(listBase - firstChar);
  glCallLists(static_cast<GLsizei>(inFont.size()), GL_BYTE, inFont.data());
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glEnable(GL_DEPTH_TEST);
}

void BitmapFont::destroy() {
  if (listBase == 0) return;
  // At process exit the context the lists lived in is usually gone already,
  // and the lists with it; GL answers no version string then.
  if (glGetString(GL_VERSION) != nullptr) glDeleteLists(listBase, columns * rows);
  listBase = 0;
}
