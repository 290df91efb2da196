// What the HUD's pictures in the demos do not show of the bitmap fonts:
// bytes outside a font, which the game never prints, and the lists going
// back. Glyph choice, pen steps and the matrices print leaves behind are
// seen in every demo picture.
#include "render/bitmap_font.h"

#include <gtest/gtest.h>

#include <vector>

#include "render/gl_api.h"
#include "tests/support/gl_context.h"

namespace {

// Two untextured fonts of 16 glyphs, built one after the other so that the
// second one's lists follow the first one's: a byte past the first font's
// glyphs would draw the second font's.
class BitmapFontLists : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl_.ok());
    for (BitmapFont* font : {&font_, &next_}) {
      font->setTexture(0, 4, 4);
      font->setCellSize(8, 8, 8);
      font->setScreenSize(64, 64);
      font->build(32.0f);
    }
    font_.setFirstChar(32);
  }
  int litAfterPrinting(const char* text) {
    glClear(GL_COLOR_BUFFER_BIT);
    font_.print(0, 32, text);
    int lit = 0;
    const std::vector<std::uint8_t> pixels = gl_.readPixels();
    for (std::size_t p = 0; p < pixels.size(); p += 4) lit += pixels[p] != 0;
    return lit;
  }

  TestGlContext gl_{64, 64};
  BitmapFont font_, next_;
};

TEST_F(BitmapFontLists, BytesOutsideTheFontAreLeftOut) {
  ASSERT_EQ(next_.listBase, font_.listBase + 16);
  EXPECT_GT(litAfterPrinting("!"), 0);
  EXPECT_EQ(litAfterPrinting("\x1f" "0\x7f\x85"), 0);  // below, just past, far past, negative
}

TEST_F(BitmapFontLists, DestroyDeletesEveryListOnce) {
  const GLuint base = font_.listBase;
  font_.destroy();
  EXPECT_TRUE(font_.listBase == 0 && !glIsList(base) && !glIsList(base + 15) && glIsList(next_.listBase));
}

}  // namespace
