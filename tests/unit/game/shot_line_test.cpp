// The shot line where the demos never shoot: from places off the grid or
// right beside its first column, and past the last sample.
#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <memory>
#include <utility>

#include "game/shot_line.h"

namespace {

// A grid open everywhere (the solid ring included) apart from `solid`, so
// only the cells a case names can stop a shot.
std::unique_ptr<LevelData> openGridWith(std::initializer_list<std::pair<int, int>> solid) {
  auto level = std::make_unique<LevelData>();
  for (int32_t& cell : level->levelGrid) cell = 1;
  for (auto [c, r] : solid) level->levelGrid[levelGridSide * c + r] = 0;
  return level;
}

}  // namespace

TEST(ShotCell, TruncatesTowardZeroAndCountsEverythingOffTheGridAsSolid) {
  auto level = openGridWith({});
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    float px, pz;
    bool solid;
  };
  for (Case c : {// x = -3 gives -0.5, which truncates to column 0 (floor would leave the grid).
                 Case{-3.0f, -3.0f, false}, Case{-3.0f, 1.5f, false},
                 // Columns and rows -1 and 255 lie outside the array.
                 Case{-4.0f, -3.0f, true}, Case{11.0f, 3.9f, false}, Case{11.0f, 4.0f, true}, Case{507.9f, -3.0f, false},
                 Case{508.0f, -3.0f, true}, Case{11.0f, -507.9f, false}, Case{11.0f, -508.0f, true},
                 Case{1e30f, -3.0f, true}, Case{-1e30f, -3.0f, true}, Case{11.0f, 1e30f, true},
                 Case{11.0f, -1e30f, true}, Case{nan, -3.0f, true}, Case{11.0f, nan, true},
                 Case{inf, -3.0f, true}, Case{11.0f, -inf, true}}) {
    EXPECT_EQ(shotCellSolid(*level, c.px, c.pz), c.solid) << "(" << c.px << ", " << c.pz << ")";
  }
}

// From world z = -20.5 in row 11 toward -z, sample s lies in row
// 11 + (s + 0.5) / 2, truncated: sample 15, the last, still lies in row 18.
TEST(ShotWallStep, CountsSampleZeroAndEndsAtTheLastSample) {
  struct Case {
    const char* name;
    std::initializer_list<std::pair<int, int>> walls;
    int32_t step;
  };
  for (Case c : {Case{"a wall in row 18", {{40, 18}}, 14}, Case{"a wall only sample 16 would meet", {{40, 19}}, 0},
                 Case{"the eye inside a solid cell, a wall further on", {{40, 11}, {40, 13}}, 0}}) {
    auto level = openGridWith(c.walls);
    EXPECT_EQ(shotWallStep(*level, -79.0f, 20.5f, shotDirectionOfHeading(0.0f)), c.step) << c.name;
  }
}
