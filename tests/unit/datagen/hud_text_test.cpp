// The generated glyph sheets printed by the game's own bitmap font in a real
// OpenGL context, with the settings of the heads-up display: every glyph slot
// of "HEALTH:", "AMMO:", the digits and " FPS" on screen must look more like
// the sheet cell meant for its character than like any other of the 256
// cells. This catches glyphs that spill into their neighbours' slots or lie
// where the pen advance, the quad size or the first character do not expect
// them. (What each cell shows is checked on the sheets themselves.)
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "render/bitmap_font.h"
#include "render/bitmap_image.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/unit/datagen/data_readers.h"

namespace {
constexpr int kScreenWidth = 512, kScreenHeight = 64;

struct FontCase {
  const char* sheet;
  int cell, advance, firstChar;
  std::string text;
};

class HudText : public ::testing::TestWithParam<FontCase> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(context_.ok());
    sheet_ = readBmp(dataPath(std::string("BMP/") + GetParam().sheet));
    ASSERT_EQ(sheet_.problem, "");
    // Uploaded the way the game loads its textures.
    BitmapImage* image = readDibFile(dataPath(std::string("BMP/") + GetParam().sheet).c_str());
    ASSERT_NE(image, nullptr);
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image->width, image->height, 0, GL_RGB, GL_UNSIGNED_BYTE, image->pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    freeBitmapImage(image);
  }
  void TearDown() override {
    font_.destroy();
    glDeleteTextures(1, &texture_);
  }

  // Prints the case's text with its glyphs' bottom edge at `baseline`.
  std::vector<uint8_t> printText(int baseline) {
    const FontCase& c = GetParam();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    font_.setTexture(texture_, 16, 16);
    font_.setCellSize(c.cell, c.cell, c.advance);
    font_.setScreenSize(kScreenWidth, kScreenHeight);
    font_.build(static_cast<float>(sheet_.width));
    font_.setFirstChar(c.firstChar);
    font_.print(0, baseline, c.text.c_str());
    glFinish();
    return context_.readPixels();
  }

  // The sheet's red channel between texel centres, as GL_LINEAR filters it.
  double filtered(double x, double y) const {
    auto clampTo = [](double v, int size) { return std::min(std::max(v, 0.0), size - 1.0); };
    x = clampTo(x, sheet_.width), y = clampTo(y, sheet_.height);
    int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
    int x1 = std::min(x0 + 1, sheet_.width - 1), y1 = std::min(y0 + 1, sheet_.height - 1);
    double fx = x - x0, fy = y - y0;
    double top = sheet_.red(x0, y0) * (1 - fx) + sheet_.red(x1, y0) * fx;
    double bottom = sheet_.red(x0, y1) * (1 - fx) + sheet_.red(x1, y1) * fx;
    return top * (1 - fy) + bottom * fy;
  }

  // Difference between the screen slot of the k-th glyph and sheet cell g
  // as the font would draw it, over the columns the pen advance leaves to
  // each glyph. A cell of `cell` texels is drawn on a quad one pixel smaller.
  double difference(const std::vector<uint8_t>& screen, int k, int baseline, int g) const {
    const FontCase& c = GetParam();
    int drawn = c.cell - 1;
    double scale = static_cast<double>(c.cell) / drawn, sum = 0.0;
    for (int row = 0; row < drawn; ++row)
      for (int column = 0; column < c.advance; ++column) {
        int sx = k * c.advance + column, syFromTop = baseline - drawn + row;
        int shown = screen[(static_cast<size_t>(kScreenHeight - 1 - syFromTop) * kScreenWidth + sx) * 4];
        double tx = (g % 16) * c.cell + (column + 0.5) * scale - 0.5;
        double ty = (g / 16) * c.cell + (row + 0.5) * scale - 0.5;
        double d = shown - filtered(tx, ty);
        sum += d * d;
      }
    return sum;
  }

  TestGlContext context_{kScreenWidth, kScreenHeight};
  BmpPicture sheet_;
  BitmapFont font_;
  GLuint texture_ = 0;
};
}  // namespace

TEST_P(HudText, EachCharacterShowsItsOwnCellWhole) {
  const FontCase& c = GetParam();
  ScopedRecordingOs os;
  const int baseline = 48;
  std::vector<uint8_t> screen = printText(baseline);
  for (size_t k = 0; k < c.text.size(); ++k) {
    if (c.text[k] == ' ') continue;
    int expected = static_cast<unsigned char>(c.text[k]) - c.firstChar;
    int best = -1;
    double bestDifference = std::numeric_limits<double>::max();
    for (int g = 0; g < 256; ++g) {
      double d = difference(screen, static_cast<int>(k), baseline, g);
      if (d < bestDifference) best = g, bestDifference = d;
    }
    EXPECT_EQ(best, expected) << "character '" << c.text[k] << "' at slot " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(
    GameFonts, HudText,
    ::testing::Values(FontCase{"font256.bmp", 16, 15, 32, "HEALTH:AMMO:"},    // labels, small font
                      FontCase{"font512.bmp", 32, 27, -96, "0123456789"},     // numbers, bold digits
                      FontCase{"font512.bmp", 32, 27, 32, "66 FPS"}),          // frame rate, large font
    [](const auto& info) { return std::string(info.index == 0 ? "Labels" : info.index == 1 ? "Numbers" : "FrameRate"); });
