// The glyph sheets as the game's bitmap font reads them: 16 x 16 cells,
// glyph g at column g % 16 and row g / 16 from the top of the picture,
// characters 32-126 from glyph 0 and again in bold from glyph 128.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/unit/datagen/data_readers.h"

namespace {
struct SheetCase { const char* file; int cell, advance; };  // the cell side and the font's pen advance

class FontSheet : public ::testing::TestWithParam<SheetCase> {
 protected:
  void SetUp() override {
    ASSERT_EQ(sheet_.problem, "");
    ASSERT_TRUE(sheet_.width == cell_ * 16 && sheet_.height == cell_ * 16) << sheet_.width << " x " << sheet_.height;
  }
  // Glyph g's pixels in the columns [from, to) of its cell, row by row.
  std::vector<int> pixels(int g, int from = 0, int to = -1) const {
    std::vector<int> p;
    for (int y = 0; y < cell_; ++y)
      for (int x = from; x < (to < 0 ? cell_ : to); ++x) p.push_back(sheet_.brightness(g % 16 * cell_ + x, g / 16 * cell_ + y));
    return p;
  }
  long ink(int g, int from = 0, int to = -1) const {
    long sum = 0;
    for (int b : pixels(g, from, to)) sum += b;
    return sum;
  }
  const int cell_ = GetParam().cell;
  const BmpPicture sheet_ = readBmp(dataPath(std::string("BMP/") + GetParam().file));
};
}  // namespace

TEST_P(FontSheet, PrintableCharactersHaveInkWithinThePenAdvanceAndTheRestIsBlack) {
  for (int g = 0; g < 256; ++g) {
    EXPECT_EQ(ink(g) > 0, g % 128 >= '!' - 32 && g % 128 <= '~' - 32) << "glyph " << g;
    EXPECT_EQ(ink(g, GetParam().advance, cell_), 0) << "glyph " << g << " overlaps its right neighbour";
  }
}

// A sheet stored upside down or mirrored moves the ink of T and L.
TEST_P(FontSheet, LettersStandTheRightWayRoundAndTheBoldDigitsAreBolderAndDistinct) {
  for (int set : {0, 128}) {
    const int t = set + 'T' - 32, l = set + 'L' - 32, half = cell_ / 2;
    EXPECT_LT(ink(l, half, cell_), ink(l, 0, half)) << set;
    long top = 0, bottom = 0;  // T carries its bar on top
    const std::vector<int> p = pixels(t);
    for (size_t i = 0; i < p.size(); ++i) (i < p.size() / 2 ? top : bottom) += p[i];
    EXPECT_GT(top, bottom) << set;
  }
  std::set<std::vector<int>> glyphs;
  for (char c : std::string("HEALT:MOFPS")) glyphs.insert(pixels(c - 32));  // the heads-up display's characters
  for (int d = '0'; d <= '9'; ++d) {
    EXPECT_GT(ink(d - 32 + 128), ink(d - 32)) << d;
    glyphs.insert(pixels(d - 32 + 128));
  }
  EXPECT_EQ(glyphs.size(), 21u) << "characters sharing a glyph";
}

INSTANTIATE_TEST_SUITE_P(BothSheets, FontSheet,
                         ::testing::Values(SheetCase{"font512.bmp", 32, 27}, SheetCase{"font256.bmp", 16, 15}),
                         [](const auto& info) { return std::string(info.param.cell == 32 ? "Large" : "Small"); });
