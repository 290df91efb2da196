// The glyph sheets as the game's bitmap font reads them: 16 x 16 cells,
// glyph g at column g % 16 and row g / 16 from the top of the picture,
// characters 32-126 from glyph 0 and again in bold from glyph 128.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <string>

#include "tests/unit/datagen/data_readers.h"

namespace {
struct SheetCase {
  const char* file;
  int cell, advance;  // the cell side and the printing font's pen advance
};

class FontSheet : public ::testing::TestWithParam<SheetCase> {
 protected:
  void SetUp() override {
    ASSERT_EQ(sheet_.problem, "");
    ASSERT_TRUE(sheet_.width == cell_ * 16 && sheet_.height == cell_ * 16) << sheet_.width << " x " << sheet_.height;
  }
  // Brightness of pixel (x, y) of glyph g's cell, (0, 0) its top left.
  int at(int g, int x, int y) const { return sheet_.brightness((g % 16) * cell_ + x, (g / 16) * cell_ + y); }
  // Brightness of glyph g's cell row by row, over the columns [from, to).
  std::vector<int> cellPixels(int g, int from = 0, int to = -1) const {
    std::vector<int> pixels;
    for (int y = 0; y < cell_; ++y)
      for (int x = from; x < (to < 0 ? cell_ : to); ++x) pixels.push_back(at(g, x, y));
    return pixels;
  }
  long ink(int g, int from = 0, int to = -1) const {
    std::vector<int> p = cellPixels(g, from, to);
    return std::accumulate(p.begin(), p.end(), 0L);
  }
  // Whether glyph g has ink near a point given in fractions of its ink's
  // bounding box (0, 0 its top left), looking one pixel around it.
  bool inkNear(int g, double fx, double fy) const {
    int left = cell_, top = cell_, right = -1, bottom = -1;
    for (int y = 0; y < cell_; ++y)
      for (int x = 0; x < cell_; ++x)
        if (at(g, x, y) > 300)
          left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
    int px = left + static_cast<int>(fx * (right - left) + 0.5), py = top + static_cast<int>(fy * (bottom - top) + 0.5);
    for (int y = std::max(0, py - 1); right >= 0 && y <= std::min(cell_ - 1, py + 1); ++y)
      for (int x = std::max(0, px - 1); x <= std::min(cell_ - 1, px + 1); ++x)
        if (at(g, x, y) > 300) return true;
    return false;
  }
  const int cell_ = GetParam().cell;
  const BmpPicture sheet_ = readBmp(dataPath(std::string("BMP/") + GetParam().file));
};

int regular(char c) { return c - 32; }
int bold(char c) { return c - 32 + 128; }
}  // namespace

TEST_P(FontSheet, PrintableCharactersHaveInkWithinThePenAdvanceAndTheRestIsBlack) {
  for (int g = 0; g < 256; ++g) {
    bool printable = g % 128 >= regular('!') && g % 128 <= regular('~');  // a space has no ink
    EXPECT_EQ(ink(g) > 0, printable) << "glyph " << g;
    EXPECT_EQ(ink(g, GetParam().advance, cell_), 0) << "glyph " << g << " overlaps its right neighbour";
  }
}

// The shapes also tell a sheet stored upside down or mirrored.
TEST_P(FontSheet, LettersHaveTheirShapesTheRightWayRoundInBothSets) {
  for (int set : {0, 128}) {
    SCOPED_TRACE(set ? "bold" : "regular");
    // T: a bar across the top, a stem down the middle, nothing low at the sides.
    int t = set + regular('T');
    EXPECT_TRUE(inkNear(t, 0.05, 0.05) && inkNear(t, 0.95, 0.05) && inkNear(t, 0.5, 0.9));
    EXPECT_FALSE(inkNear(t, 0.05, 0.9) || inkNear(t, 0.95, 0.9));
    // L: a stem on the left, a foot to the right, nothing high on the right.
    int l = set + regular('L');
    EXPECT_TRUE(inkNear(l, 0.05, 0.05) && inkNear(l, 0.95, 0.97));
    EXPECT_FALSE(inkNear(l, 0.95, 0.1));
  }
}

TEST_P(FontSheet, HudTextsUseDistinctGlyphsAndTheBoldDigitsAreBolder) {
  const std::string letters = "HEALT:MOFPS";  // the heads-up display's characters, each once
  std::set<std::vector<int>> glyphs;
  for (char c : letters) glyphs.insert(cellPixels(regular(c)));
  for (char d = '0'; d <= '9'; ++d) {
    EXPECT_GT(ink(bold(d)), ink(regular(d))) << d;
    glyphs.insert(cellPixels(bold(d)));
  }
  EXPECT_EQ(glyphs.size(), letters.size() + 10) << "characters sharing a glyph";
}

INSTANTIATE_TEST_SUITE_P(BothSheets, FontSheet,
                         ::testing::Values(SheetCase{"font512.bmp", 32, 27}, SheetCase{"font256.bmp", 16, 15}),
                         [](const auto& info) { return std::string(info.param.cell == 32 ? "Large" : "Small"); });
