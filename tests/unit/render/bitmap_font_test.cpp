#include "render/bitmap_font.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "render/gl_api.h"
#include "tests/support/gl_context.h"

constexpr int screenSize = 256;
using Colour = std::array<std::uint8_t, 3>;

// Glyph g of the test sheet is red g, green 255 - g, its blue telling the quarter
// of the cell: so a cell drawn turned over or shifted cannot match.
static Colour glyphColour(int g, bool right, bool top) {
  return {std::uint8_t(g), std::uint8_t(255 - g), std::uint8_t(40 + 60 * right + 120 * top)};
}

// A 256-pixel sheet of 16 x 16 cells of 16 pixels, rows counted from the top,
// drawn 15 x 15 pixels and 15 pixels apart.
class BitmapFontDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl_.ok());
    std::vector<std::uint8_t> texels;
    for (int i = 0; i < 256 * 256; ++i) {
      int u = i % 256, v = i / 256;
      Colour c = glyphColour((255 - v) / 16 * 16 + u / 16, u % 16 >= 8, v % 16 >= 8);
      texels.insert(texels.end(), c.begin(), c.end());
    }
    GLuint sheet = 0;
    glGenTextures(1, &sheet);
    glBindTexture(GL_TEXTURE_2D, sheet);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 256, 256, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);  // cells are drawn shrunk
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    font_.setTexture(sheet, 16, 16);
    font_.setCellSize(16, 16, 15);
    font_.setScreenSize(screenSize, screenSize);
    font_.build(256.0f);
  }

  // Prints `text` on a cleared screen: glyph i of `glyphs` must fill the 15 x 15
  // pixels at x + 15 i, bottom y pixels below the top, and nothing else be lit.
  void expectPrinted(int x, int y, const char* text, const std::vector<int>& glyphs) {
    glClear(GL_COLOR_BUFFER_BIT);
    glBindTexture(GL_TEXTURE_2D, 0);  // print binds the font's own sheet
    font_.print(x, y, text);
    std::vector<std::uint8_t> frame = gl_.readPixels();
    for (int i = 0; i < static_cast<int>(glyphs.size()) * 225; ++i) {
      int dx = i % 15, dy = i / 15 % 15;
      const std::uint8_t* p = &frame[((screenSize - y + dy) * screenSize + x + 15 * (i / 225) + dx) * 4];
      if (dx == 7 || dy == 7) continue;  // pixel 7 samples the seam between a cell's halves
      ASSERT_EQ(Colour({p[0], p[1], p[2]}), glyphColour(glyphs[i / 225], dx > 7, dy > 7)) << dx << "," << dy;
    }
    std::size_t lit = 0;
    for (std::size_t p = 0; p < frame.size(); p += 4) lit += frame[p] || frame[p + 1] || frame[p + 2];
    EXPECT_EQ(lit, 225 * glyphs.size());
  }

  TestGlContext gl_{screenSize, screenSize};
  BitmapFont font_;
};

TEST_F(BitmapFontDrawing, FirstCharSelectsTheGlyphsAndEachMovesThePen) {
  font_.setFirstChar(32);
  expectPrinted(20, 100, "AMMO:", {33, 45, 45, 47, 26});
  expectPrinted(0, 100, "\x01" "A\n\x85" "B\x1f", {33, 34});  // bytes outside the font are left out
  expectPrinted(10, screenSize, "A", {33});  // the bottom row of the screen
  expectPrinted(10, 16, "A", {33});          // one cell below the top
  font_.setFirstChar(-96);
  expectPrinted(0, 50, "0123456789", {144, 145, 146, 147, 148, 149, 150, 151, 152, 153});
  font_.setFirstChar(-128);
  expectPrinted(30, 200, "\x80\x7f", {0, 255});
}

// An empty string changes nothing; any other leaves both matrices and the
// stack as they were, the model-view matrix current and the depth test on.
TEST_F(BitmapFontDrawing, PrintRestoresTheMatrices) {
  glMatrixMode(GL_MODELVIEW);
  glRotatef(30, 0, 1, 0);
  glMatrixMode(GL_PROJECTION);
  glFrustum(-1, 1, -1, 1, 1, 10);
  auto state = [] {  // both matrices, matrix mode, model-view stack depth, depth test
    std::vector<GLfloat> s(35);
    glGetFloatv(GL_MODELVIEW_MATRIX, &s[0]);
    glGetFloatv(GL_PROJECTION_MATRIX, &s[16]);
    glGetFloatv(GL_MATRIX_MODE, &s[32]);
    glGetFloatv(GL_MODELVIEW_STACK_DEPTH, &s[33]);
    s[34] = glIsEnabled(GL_DEPTH_TEST);
    return s;
  };
  for (bool depthTest : {false, true}) {
    for (const char* text : {"", "Hello"}) {
      if (depthTest) glEnable(GL_DEPTH_TEST); else glDisable(GL_DEPTH_TEST);
      std::vector<GLfloat> expected = state();
      font_.print(0, 20, text);
      if (text[0] != '\0') expected[32] = GL_MODELVIEW, expected[34] = GL_TRUE;
      EXPECT_EQ(state(), expected) << '"' << text << "\" depth test " << depthTest;
    }
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BitmapFontDrawing, DestroyDeletesEveryListOnce) {
  GLuint base = font_.listBase;
  font_.destroy();
  EXPECT_TRUE(font_.listBase == 0 && !glIsList(base) && !glIsList(base + 255));
}
