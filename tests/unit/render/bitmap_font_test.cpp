// What the HUD's pictures in the demos do not show of the bitmap fonts:
// bytes outside a font, which the game never prints, and the lists going
// back. Glyph choice, pen steps and the matrices print leaves behind are
// seen in every demo picture.
#include "render/bitmap_font.h"

#include <gtest/gtest.h>

#include <vector>

#include "render/gl_api.h"
#include "tests/support/gl_context.h"

// Two untextured fonts of 16 glyphs, built one after the other so that the
// second one's lists follow the first one's: a byte past the first font's
// glyphs would draw the second font's, and so would a destroy that deletes
// past its own lists.
TEST(BitmapFontLists, BytesOutsideTheFontAreLeftOutAndDestroyDeletesEveryListOnce) {
  TestGlContext gl{64, 64};
  ASSERT_TRUE(gl.ok());
  BitmapFont font, next;
  for (BitmapFont* built : {&font, &next}) {
    built->setTexture(0, 4, 4);
    built->setCellSize(8, 8, 8);
    built->setScreenSize(64, 64);
    built->build(32.0f);
  }
  font.setFirstChar(32);
  ASSERT_EQ(next.listBase, font.listBase + 16);
  const auto litAfterPrinting = [&](const char* text) {
    glClear(GL_COLOR_BUFFER_BIT);
    font.print(0, 32, text);
    int lit = 0;
    const std::vector<std::uint8_t> pixels = gl.readPixels();
    for (std::size_t p = 0; p < pixels.size(); p += 4) lit += pixels[p] != 0;
    return lit;
  };
  EXPECT_GT(litAfterPrinting("!"), 0);
  EXPECT_EQ(litAfterPrinting("\x1f" "0\x7f\x85"), 0);  // below, just past, far past, negative
  const GLuint base = font.listBase;
  font.destroy();
  EXPECT_TRUE(font.listBase == 0 && !glIsList(base) && !glIsList(base + 15) && glIsList(next.listBase));
}
