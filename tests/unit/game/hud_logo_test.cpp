// The shield logo as the player sees it: the HUD lays its picture on the
// screen right to left, and the "B" on the shield must still read forwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "game/hud.h"
#include "tests/unit/game/hud_fixture.h"

namespace {

// The logo's screen rectangle, a little wider than the quad, under the
// game's projection at 640x480.
const Box logoArea{10, 340, 120, 470};

struct Edges {
  std::vector<int> left, right;  // the letter's first and last column, row by row
};

// The letter is the gold between the red field's first and last pixel of a
// row; the gold outside them is the shield's rim.
Edges letterEdges(const std::vector<std::uint8_t>& pixels) {
  Edges edges;
  for (int y = logoArea.top; y < logoArea.bottom; ++y) {
    const std::uint8_t* row = &pixels[(height - 1 - y) * width * 4];
    auto red = [&](int x) { return row[x * 4] > 60 && row[x * 4] > 3 * row[x * 4 + 1]; };
    auto gold = [&](int x) { return row[x * 4 + 1] > 80 && 2 * row[x * 4 + 1] > row[x * 4]; };
    int firstRed = -1, lastRed = -1;
    for (int x = logoArea.left; x < logoArea.right; ++x) {
      if (!red(x)) continue;
      if (firstRed < 0) firstRed = x;
      lastRed = x;
    }
    int first = -1, last = -1;
    for (int x = firstRed + 1; firstRed >= 0 && x < lastRed; ++x) {
      if (!gold(x)) continue;
      if (first < 0) first = x;
      last = x;
    }
    if (first < 0) continue;
    edges.left.push_back(first);
    edges.right.push_back(last);
  }
  return edges;
}

int spread(const std::vector<int>& columns) {
  const auto range = std::minmax_element(columns.begin(), columns.end());
  return *range.second - *range.first;
}

// A "B" has its straight stem on the left and its round bowls on the right:
// row by row its left edge stays in one column, its right edge wanders.
TEST_F(Hud, TheLogosLetterReadsTheRightWayRound) {
  const Edges edges = letterEdges(draw(drawWeaponLogoAndCrosshair));
  ASSERT_GT(edges.left.size(), 20u) << "no letter on the logo";
  const int leftSpread = spread(edges.left), rightSpread = spread(edges.right);
  EXPECT_LE(leftSpread, 2);
  EXPECT_GE(rightSpread, 3 * std::max(leftSpread, 1)) << "left edge spread " << leftSpread;
}

}  // namespace
