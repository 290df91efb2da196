// Level 1 as shipped and as the game's loader reads it: a grid of both
// surface styles in which every open cell can be reached from the start, with
// boxes in open cells and pictures of both kinds hanging on real walls, and
// no place to stand where a shot could fly past every wall.
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
  const LevelData& level_ = world().level;
};
}  // namespace

TEST_F(LevelOne, IsTheHandMadeFileUnchanged) {
  EXPECT_EQ(readWholeFile(dataPath("LEVEL/level1.dat")),
            readWholeFile(std::string(BRAKMOOR_SOURCE_DIR) + "/tools/datagen/level1.dat"));
}

TEST_F(LevelOne, PlayableGridOfBothStylesAllReachableFromAnOpenStart) {
  EXPECT_TRUE(level_.sizeX >= 30 && level_.sizeX <= 60 && level_.sizeY >= 30 && level_.sizeY <= 60);
  std::map<int, int> counts;
  for (int y = 1; y <= level_.sizeY; ++y)
    for (int x = 1; x <= level_.sizeX; ++x) ++counts[levelCell(world().level, x, y)];
  EXPECT_TRUE(counts[1] > 100 && counts[2] > 100) << counts[1] << " and " << counts[2] << " cells of the two styles";
  EXPECT_EQ(counts.size(), 3u) << "only solid, style 1 and style 2 cells";
  // The start stands in an open area, not against a wall.
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) EXPECT_NE(levelCell(world().level, level_.startX + dx, level_.startY + dy), 0) << dx << "," << dy;
  std::set<std::pair<int, int>> reached{{level_.startX, level_.startY}};
  std::vector<std::pair<int, int>> frontier{{level_.startX, level_.startY}};
  while (!frontier.empty()) {
    auto [x, y] = frontier.back();
    frontier.pop_back();
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
      if (levelCell(world().level, x + dx, y + dy) != 0 && reached.insert({x + dx, y + dy}).second)
        frontier.push_back({x + dx, y + dy});
  }
  EXPECT_EQ(reached.size(), static_cast<size_t>(level_.sizeX * level_.sizeY - counts[0])) << "cut off from the start";
  EXPECT_GT(reached.size(), 300u) << "five enemies need rooms, not just a corridor";
}

TEST_F(LevelOne, BoxesStandInOpenCellsAndPicturesOfBothKindsOnRealWalls) {
  EXPECT_GE(level_.boxes.count, 5);
  std::set<std::pair<int, int>> boxCells;
  for (int i = 0; i < level_.boxes.count; ++i) {
    auto [x, y] = level_.boxes.items[i];
    EXPECT_NE(levelCell(world().level, x, y), 0) << x << "," << y;
    EXPECT_FALSE(x == level_.startX && y == level_.startY);
    EXPECT_TRUE(boxCells.insert({x, y}).second) << "two boxes in " << x << "," << y;
  }
  EXPECT_GT(level_.picturesW.count, 0);
  EXPECT_GT(level_.picturesG.count, 0);
  const std::map<int, std::pair<int, int>> behind = {
      {wallTop, {0, 1}}, {wallBottom, {0, -1}}, {wallLeft, {-1, 0}}, {wallRight, {1, 0}}};
  for (const PictureList* list : {&level_.picturesW, &level_.picturesG})
    for (int i = 0; i < list->count; ++i) {
      auto [x, y, side] = list->items[i];
      SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y) + " side " + std::to_string(side));
      ASSERT_EQ(behind.count(side), 1u) << "no side letter the game knows";
      EXPECT_NE(levelCell(world().level, x, y), 0) << "the picture's cell is open";
      EXPECT_EQ(levelCell(world().level, x + behind.at(side).first, y + behind.at(side).second), 0) << "a wall stands behind it";
    }
}

// A shot whose 16 samples meet no solid cell hits no enemy, so from the centre
// of every open cell, turned any way the check samples, a wall (or a pillar)
// must lie on the shot line.
TEST_F(LevelOne, EveryShotFromWhereThePlayerCanStandMeetsAWall) {
  int checked = 0;
  std::vector<std::string> unstopped;
  for (int x = 1; x <= level_.sizeX; ++x)
    for (int y = 1; y <= level_.sizeY; ++y) {
      if (levelCell(world().level, x, y) == 0) continue;
      // The camera holds the negated eye, which stands at the cell's centre.
      const float cameraX = static_cast<float>(1 - 2 * x);
      const float cameraZ = static_cast<float>(2 * y - 1);
      for (int heading = 0; heading < 360; heading += 5, ++checked)
        if (shotWallStep(level_, cameraX, cameraZ, shotDirectionOfHeading(static_cast<float>(heading))) == 0)
          unstopped.push_back("(" + std::to_string(x) + "," + std::to_string(y) + ") at " + std::to_string(heading));
    }
  RecordProperty("shots", checked);
  EXPECT_GT(checked, 300 * 72);
  std::string first;
  for (size_t i = 0; i < unstopped.size() && i < 20; ++i) first += " " + unstopped[i];
  EXPECT_TRUE(unstopped.empty()) << unstopped.size() << " of " << checked << " shots meet no wall:" << first;
}
