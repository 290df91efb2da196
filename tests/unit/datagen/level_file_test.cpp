// Level 1 as shipped and as the game's loader reads it: every open cell
// reachable from an open start, boxes in open cells, pictures of both kinds
// on real walls, and no place to stand where a shot could fly past every wall.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "game/shot_line.h"
#include "tests/support/test_records.h"
#include "tests/unit/datagen/data_readers.h"
#include "world/level_loader.h"

namespace {
struct LevelOne : ::testing::Test {
  void SetUp() override { ASSERT_TRUE(loadLevel(world().level, dataPath("LEVEL/level1.dat").c_str())); }
  int cell(int x, int y) const { return levelCell(level_, x, y); }
  const LevelData& level_ = world().level;
};
}  // namespace

TEST_F(LevelOne, IsTheHandMadeFileWithAllOpenCellsReachableFromAnOpenStart) {
  EXPECT_EQ(readWholeFile(dataPath("LEVEL/level1.dat")),
            readWholeFile(std::string(BRAKMOOR_SOURCE_DIR) + "/tools/datagen/level1.dat"));
  std::map<int, int> counts;
  for (int i = 0; i < level_.sizeX * level_.sizeY; ++i) ++counts[cell(i % level_.sizeX + 1, i / level_.sizeX + 1)];
  EXPECT_TRUE(counts.size() == 3 && counts[1] > 100 && counts[2] > 100) << "solid and two styles";
  for (int d = 0; d < 9; ++d) EXPECT_NE(cell(level_.startX + d % 3 - 1, level_.startY + d / 3 - 1), 0) << d;
  std::set<std::pair<int, int>> reached{{level_.startX, level_.startY}};
  for (std::vector<std::pair<int, int>> frontier(reached.begin(), reached.end()); !frontier.empty();) {
    auto [x, y] = frontier.back();
    frontier.pop_back();
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
      if (cell(x + dx, y + dy) != 0 && reached.insert({x + dx, y + dy}).second) frontier.push_back({x + dx, y + dy});
  }
  EXPECT_EQ(reached.size(), static_cast<size_t>(counts[1] + counts[2])) << "cut off from the start";
  EXPECT_GT(reached.size(), 300u) << "five enemies need rooms, not just a corridor";
}

TEST_F(LevelOne, BoxesStandInOpenCellsAndPicturesOfBothKindsOnRealWalls) {
  EXPECT_GE(level_.boxes.count, 5);
  std::set<std::pair<int, int>> boxCells{{level_.startX, level_.startY}};
  for (int i = 0; i < level_.boxes.count; ++i) {
    auto [x, y] = level_.boxes.items[i];
    EXPECT_TRUE(cell(x, y) != 0 && boxCells.insert({x, y}).second) << "box at " << x << "," << y;
  }
  EXPECT_TRUE(level_.picturesW.count > 0 && level_.picturesG.count > 0);
  const std::map<int, std::pair<int, int>> behind = {
      {wallTop, {0, 1}}, {wallBottom, {0, -1}}, {wallLeft, {-1, 0}}, {wallRight, {1, 0}}};
  for (const PictureList* list : {&level_.picturesW, &level_.picturesG})
    for (int i = 0; i < list->count; ++i) {
      auto [x, y, side] = list->items[i];
      ASSERT_EQ(behind.count(side), 1u) << "no side letter the game knows";
      EXPECT_TRUE(cell(x, y) != 0 && cell(x + behind.at(side).first, y + behind.at(side).second) == 0)
          << "picture at " << x << "," << y << " side " << side;
    }
}

// A shot whose samples meet no solid cell hits no enemy, so from the centre
// of every open cell, turned any way the check samples, a wall must lie on
// the shot line.
TEST_F(LevelOne, EveryShotFromWhereThePlayerCanStandMeetsAWall) {
  int unstopped = 0;
  for (int x = 1; x <= level_.sizeX; ++x)
    for (int y = 1; y <= level_.sizeY; ++y)
      for (int heading = 0; heading < 360 && cell(x, y) != 0; heading += 5)  // the camera holds the negated eye
        unstopped += shotWallStep(level_, 1.0f - 2 * x, 2.0f * y - 1, shotDirectionOfHeading(float(heading))) == 0;
  EXPECT_EQ(unstopped, 0);
}
