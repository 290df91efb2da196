// The glyph sheets as the game's bitmap font reads them: 16 x 16 cells,
// glyph g at column g % 16 and row g / 16 from the top of the picture,
// characters 32-126 from glyph 0 and again in bold from glyph 128.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/unit/datagen/data_readers.h"

namespace {
struct SheetCase {
  const char* file;
  int cell;
  int advance;  // the printing font's pen advance
};

class FontSheet : public ::testing::TestWithParam<SheetCase> {
 protected:
  void SetUp() override {
    sheet_ = readBmp(dataPath(std::string("BMP/") + GetParam().file));
    ASSERT_EQ(sheet_.problem, "");
    ASSERT_EQ(sheet_.width, GetParam().cell * 16);
  }
  // Total brightness inside glyph g's cell, over the columns [from, to).
  long ink(int g, int from = 0, int to = -1) const {
    int cell = GetParam().cell;
    if (to < 0) to = cell;
    long sum = 0;
    for (int y = 0; y < cell; ++y)
      for (int x = from; x < to; ++x) sum += sheet_.brightness((g % 16) * cell + x, (g / 16) * cell + y);
    return sum;
  }
  // Height of the ink's centre in the cell: 0 at its top, 1 at its bottom.
  double inkCentre(int g) const {
    int cell = GetParam().cell;
    double weighted = 0.0, total = 0.0;
    for (int y = 0; y < cell; ++y)
      for (int x = 0; x < cell; ++x) {
        int b = sheet_.brightness((g % 16) * cell + x, (g / 16) * cell + y);
        weighted += b * (y + 0.5);
        total += b;
      }
    return total > 0 ? weighted / total / cell : -1.0;
  }
  // Whether glyph g has ink near a point given in fractions of its ink's
  // bounding box (0, 0 its top left), looking `reach` pixels around it.
  bool inkNear(int g, double fx, double fy, int reach = 1) const {
    int cell = GetParam().cell, left = cell, top = cell, right = -1, bottom = -1;
    for (int y = 0; y < cell; ++y)
      for (int x = 0; x < cell; ++x)
        if (sheet_.red((g % 16) * cell + x, (g / 16) * cell + y) > 100)
          left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
    if (right < 0) return false;
    int px = left + static_cast<int>(fx * (right - left) + 0.5), py = top + static_cast<int>(fy * (bottom - top) + 0.5);
    for (int y = std::max(0, py - reach); y <= std::min(cell - 1, py + reach); ++y)
      for (int x = std::max(0, px - reach); x <= std::min(cell - 1, px + reach); ++x)
        if (sheet_.red((g % 16) * cell + x, (g / 16) * cell + y) > 100) return true;
    return false;
  }
  std::vector<uint8_t> cellPixels(int g) const {
    int cell = GetParam().cell;
    std::vector<uint8_t> pixels;
    for (int y = 0; y < cell; ++y)
      for (int x = 0; x < cell; ++x) pixels.push_back(sheet_.red((g % 16) * cell + x, (g / 16) * cell + y));
    return pixels;
  }
  BmpPicture sheet_;
};

int regular(char c) { return c - 32; }
int bold(char c) { return c - 32 + 128; }
}  // namespace

TEST_P(FontSheet, EveryPrintableCharacterHasInkInBothSetsAndTheRestIsBlack) {
  for (char c = 33; c < 127; ++c) {
    EXPECT_GT(ink(regular(c)), 0) << "regular " << c;
    EXPECT_GT(ink(bold(c)), 0) << "bold " << c;
  }
  EXPECT_EQ(ink(regular(' ')), 0);
  EXPECT_EQ(ink(bold(' ')), 0);
  for (int g = 95; g < 128; ++g) EXPECT_EQ(ink(g), 0) << "glyph " << g;
  for (int g = 223; g < 256; ++g) EXPECT_EQ(ink(g), 0) << "glyph " << g;
}

TEST_P(FontSheet, GlyphsStandUprightWithRowZeroAtTheTop) {
  // A full stop sits on the baseline, an apostrophe and a caret hang high.
  EXPECT_GT(inkCentre(regular('.')), 0.6);
  EXPECT_LT(inkCentre(regular('\'')), 0.45);
  EXPECT_LT(inkCentre(bold('^')), 0.45);
  EXPECT_GT(inkCentre(regular('_')), inkCentre(regular('.')));
}

TEST_P(FontSheet, LettersHaveTheirShapesTheRightWayRoundInBothSets) {
  for (int set : {0, 128}) {
    SCOPED_TRACE(set ? "bold" : "regular");
    // T: a bar across the top, a stem down the middle, nothing low at the sides.
    int t = set + 'T' - 32;
    EXPECT_TRUE(inkNear(t, 0.05, 0.05) && inkNear(t, 0.95, 0.05) && inkNear(t, 0.5, 0.9));
    EXPECT_FALSE(inkNear(t, 0.05, 0.9) || inkNear(t, 0.95, 0.9));
    // L: a stem on the left, a foot to the right, nothing high on the right.
    int l = set + 'L' - 32;
    EXPECT_TRUE(inkNear(l, 0.05, 0.05) && inkNear(l, 0.95, 0.97));
    EXPECT_FALSE(inkNear(l, 0.95, 0.1));
    // Colon: two dots, one above the other.
    int colon = set + ':' - 32;
    EXPECT_TRUE(inkNear(colon, 0.5, 0.05) && inkNear(colon, 0.5, 0.95));
    EXPECT_FALSE(inkNear(colon, 0.5, 0.5, 0));
  }
}

TEST_P(FontSheet, HudTextsUseDistinctGlyphsAndDigitsComeFromTheBoldSet) {
  const std::string hud = "HEALTH:AMO FPS";
  for (size_t i = 0; i < hud.size(); ++i)
    for (size_t j = i + 1; j < hud.size(); ++j)
      if (hud[i] != hud[j]) {
        EXPECT_NE(cellPixels(regular(hud[i])), cellPixels(regular(hud[j]))) << hud[i] << hud[j];
      }
  // With a first character of -96 the digits are glyphs 144 to 153.
  for (char d = '0'; d <= '9'; ++d) {
    EXPECT_EQ(bold(d), d + 96);
    EXPECT_GT(ink(bold(d)), ink(regular(d))) << d;
    for (char e = d + 1; e <= '9'; ++e) EXPECT_NE(cellPixels(bold(d)), cellPixels(bold(e))) << d << e;
  }
}

TEST_P(FontSheet, InkStaysWithinThePenAdvanceSoNeighboursDoNotOverlap) {
  for (int g = 0; g < 256; ++g) EXPECT_EQ(ink(g, GetParam().advance, GetParam().cell), 0) << "glyph " << g;
}

INSTANTIATE_TEST_SUITE_P(BothSheets, FontSheet,
                         ::testing::Values(SheetCase{"font512.bmp", 32, 27}, SheetCase{"font256.bmp", 16, 15}),
                         [](const auto& info) { return std::string(info.param.cell == 32 ? "Large" : "Small"); });
