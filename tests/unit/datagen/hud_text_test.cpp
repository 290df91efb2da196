// The generated glyph sheets printed by the game's own bitmap font in a real
// OpenGL context, with the settings of the heads-up display: every glyph slot
// of "HEALTH:", "AMMO:", the digits and " FPS" on screen must look more like
// the sheet cell meant for its character than like any other of the 256
// cells. This catches glyphs that spill into their neighbours' slots or lie
// where the pen advance, the quad size or the first character do not expect
// them. (What each cell shows is checked on the sheets themselves.)
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "render/bitmap_font.h"
#include "render/bitmap_image.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/unit/datagen/data_readers.h"

namespace {
constexpr int kScreenWidth = 512, kScreenHeight = 64, kBaseline = 48;

struct FontCase {
  const char* sheet;
  int cell, advance, firstChar;
  std::string text;
};

class HudText : public ::testing::TestWithParam<FontCase> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(context_.ok());
    ASSERT_EQ(sheet_.problem, "");
    // Uploaded the way the game loads its textures.
    BitmapImage* image = readDibFile(dataPath(std::string("BMP/") + c_.sheet).c_str());
    ASSERT_NE(image, nullptr);
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image->width, image->height, 0, GL_RGB, GL_UNSIGNED_BYTE, image->pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    freeBitmapImage(image);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    font_.setTexture(texture_, 16, 16);
    font_.setCellSize(c_.cell, c_.cell, c_.advance);
    font_.setScreenSize(kScreenWidth, kScreenHeight);
    font_.build(static_cast<float>(sheet_.width));
    font_.setFirstChar(c_.firstChar);
  }
  void TearDown() override {
    font_.destroy();
    glDeleteTextures(1, &texture_);
  }

  // The sheet's red channel between texel centres, as GL_LINEAR filters it.
  double filtered(double x, double y) const {
    x = std::clamp(x, 0.0, sheet_.width - 1.0), y = std::clamp(y, 0.0, sheet_.height - 1.0);
    int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
    int x1 = std::min(x0 + 1, sheet_.width - 1), y1 = std::min(y0 + 1, sheet_.height - 1);
    double fx = x - x0, fy = y - y0;
    return (sheet_.red(x0, y0) * (1 - fx) + sheet_.red(x1, y0) * fx) * (1 - fy) +
           (sheet_.red(x0, y1) * (1 - fx) + sheet_.red(x1, y1) * fx) * fy;
  }

  // Difference between the screen slot of the k-th glyph and sheet cell g
  // as the font would draw it, over the columns the pen advance leaves to
  // each glyph. A cell of `cell` texels is drawn on a quad one pixel smaller.
  double difference(const std::vector<uint8_t>& screen, int k, int g) const {
    int drawn = c_.cell - 1;
    double scale = static_cast<double>(c_.cell) / drawn, sum = 0.0;
    for (int row = 0; row < drawn; ++row)
      for (int column = 0; column < c_.advance; ++column) {
        int sx = k * c_.advance + column, syFromTop = kBaseline - drawn + row;
        int shown = screen[(static_cast<size_t>(kScreenHeight - 1 - syFromTop) * kScreenWidth + sx) * 4];
        double d = shown - filtered((g % 16) * c_.cell + (column + 0.5) * scale - 0.5,
                                    (g / 16) * c_.cell + (row + 0.5) * scale - 0.5);
        sum += d * d;
      }
    return sum;
  }

  const FontCase& c_ = GetParam();
  TestGlContext context_{kScreenWidth, kScreenHeight};
  const BmpPicture sheet_ = readBmp(dataPath(std::string("BMP/") + c_.sheet));
  BitmapFont font_;
  GLuint texture_ = 0;
};
}  // namespace

TEST_P(HudText, EachCharacterShowsItsOwnCellWhole) {
  ScopedRecordingOs os;
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  font_.print(0, kBaseline, c_.text.c_str());
  glFinish();
  std::vector<uint8_t> screen = context_.readPixels();
  for (int k = 0; k < static_cast<int>(c_.text.size()); ++k) {
    if (c_.text[k] == ' ') continue;
    std::vector<double> differences;
    for (int g = 0; g < 256; ++g) differences.push_back(difference(screen, k, g));
    int best = static_cast<int>(std::min_element(differences.begin(), differences.end()) - differences.begin());
    EXPECT_EQ(best, static_cast<unsigned char>(c_.text[k]) - c_.firstChar) << "'" << c_.text[k] << "' at slot " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(
    GameFonts, HudText,
    ::testing::Values(FontCase{"font256.bmp", 16, 15, 32, "HEALTH:AMMO:"},  // labels, small font
                      FontCase{"font512.bmp", 32, 27, -96, "0123456789"},   // numbers, bold digits
                      FontCase{"font512.bmp", 32, 27, 32, "66 FPS"}),       // frame rate, large font
    [](const auto& info) { return std::string(info.index == 0 ? "Labels" : info.index == 1 ? "Numbers" : "FrameRate"); });
