// The shot line: its direction from the heading, the grid cell under a
// world point as the shot sees it, and the first solid sample along it.
#include <gtest/gtest.h>

#include <cmath>
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

TEST(ShotDirection, PointsWhereTheHeadingWalks) {
  struct Case {
    float heading, x, z;
  };
  // Forward looks toward -z at heading 0 and turns toward -x as it grows.
  for (Case c : {Case{0.0f, 0.0f, -1.0f}, Case{90.0f, -1.0f, 0.0f}, Case{180.0f, 0.0f, 1.0f},
                 Case{270.0f, 1.0f, 0.0f}, Case{45.0f, -0.70710677f, -0.70710677f}}) {
    ShotDirection dir = shotDirectionOfHeading(c.heading);
    EXPECT_NEAR(dir.x, c.x, 2e-6f) << "heading " << c.heading;
    EXPECT_NEAR(dir.z, c.z, 2e-6f) << "heading " << c.heading;
  }
}

TEST(ShotCell, MapsXFrom2cMinus2To2cToColumnCAndZTheOtherWay) {
  // Column 6 covers x in [10, 12); row 6 covers z in (-12, -10].
  auto level = openGridWith({{6, 6}});
  const float below12 = std::nextafter(12.0f, 0.0f);
  const float above12 = std::nextafter(-12.0f, 0.0f);
  struct Case {
    float px, pz;
    bool solid;
  };
  for (Case c : {Case{10.0f, -11.0f, true}, Case{below12, -11.0f, true}, Case{12.0f, -11.0f, false},
                 Case{std::nextafter(10.0f, 0.0f), -11.0f, false}, Case{11.0f, -10.0f, true},
                 Case{11.0f, above12, true}, Case{11.0f, -12.0f, false},
                 Case{11.0f, std::nextafter(-10.0f, 0.0f), false}}) {
    EXPECT_EQ(shotCellSolid(*level, c.px, c.pz), c.solid) << "(" << c.px << ", " << c.pz << ")";
  }
}

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

TEST(ShotWallStep, IsTheFirstSolidSampleAlongTheHeading) {
  // The eye stands at world (eyeX, eyeZ); the camera holds its negation.
  struct Case {
    const char* name;
    float heading, eyeX, eyeZ;
    std::pair<int, int> wall;
    int32_t step;
  };
  for (Case c : {// From the centre of cell (40, 10), samples 1, 3, 5 enter new rows.
                 Case{"wall 5 ahead", 0.0f, 79.0f, -19.0f, {40, 13}, 5},
                 // From z = -20.5 in row 11, samples 2 and 4 do.
                 Case{"wall 2 ahead", 0.0f, 79.0f, -20.5f, {40, 12}, 2},
                 // A cell holds its upper z border and its lower x border, so
                 // turned around, the eye meets new cells at other samples.
                 Case{"toward +z", 180.0f, 79.0f, -19.0f, {40, 8}, 4},
                 Case{"toward -x", 90.0f, 79.0f, -19.0f, {38, 10}, 4},
                 Case{"toward +x", 270.0f, 79.0f, -19.0f, {42, 10}, 3},
                 Case{"last sample", 0.0f, 79.0f, -19.0f, {40, 18}, 15},
                 Case{"one cell past the last sample", 0.0f, 79.0f, -19.0f, {40, 19}, 0},
                 Case{"beside the line", 0.0f, 79.0f, -19.0f, {41, 13}, 0},
                 Case{"the eye inside a solid cell", 0.0f, 79.0f, -19.0f, {40, 10}, 0}}) {
    auto level = openGridWith({c.wall});
    EXPECT_EQ(shotWallStep(*level, -c.eyeX, -c.eyeZ, shotDirectionOfHeading(c.heading)), c.step) << c.name;
  }
  // Sample 0 counts too: from inside a solid cell no wall further on matters.
  auto buried = openGridWith({{40, 10}, {40, 13}});
  EXPECT_EQ(shotWallStep(*buried, -79.0f, 19.0f, shotDirectionOfHeading(0.0f)), 0);
}

TEST(ShotWallStep, IsZeroInAnOpenAreaAtEveryHeading) {
  // Nothing solid within 16 samples of the grid's middle, however the eye
  // turns; a solid cell 7 cells off stops every heading that points at it.
  auto open = openGridWith({});
  auto walled = openGridWith({{127, 134}});
  const float eyeX = 253.0f, eyeZ = -253.0f;  // centre of cell (127, 127)
  for (int heading = 0; heading < 360; heading += 5) {
    ShotDirection dir = shotDirectionOfHeading(static_cast<float>(heading));
    EXPECT_EQ(shotWallStep(*open, -eyeX, -eyeZ, dir), 0) << "heading " << heading;
    EXPECT_EQ(shotWallStep(*walled, -eyeX, -eyeZ, dir) > 0, heading == 0) << "heading " << heading;
  }
}
