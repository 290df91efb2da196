// Level 1 as shipped: a closed grid of both surface styles in which every
// open cell can be reached from the start, with boxes in open cells and the
// pictures hanging on real walls.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/unit/datagen/data_readers.h"

namespace {
struct Picture {
  int x, y;
  char side;
};

struct Level {
  int sizeX = 0, sizeY = 0, startX = 0, startY = 0;
  std::vector<std::string> rows;  // as in the file: the first row is y = sizeY
  std::vector<std::pair<int, int>> boxes;
  std::vector<Picture> pictures;
  std::vector<std::string> problems;

  int cell(int x, int y) const {
    if (x < 1 || y < 1 || x > sizeX || y > sizeY) return 0;
    char c = rows[static_cast<size_t>(sizeY - y)][static_cast<size_t>(x - 1)];
    return c >= '0' && c <= '9' ? c - '0' : 0;
  }
};

Level readLevel(const std::string& path) {
  Level level;
  std::ifstream in(path);
  if (!in) return level.problems.push_back("cannot open " + path), level;
  std::string line;
  bool inGrid = false;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (inGrid) {
      if (line.size() != static_cast<size_t>(level.sizeX)) level.problems.push_back("grid row of wrong length: " + line);
      level.rows.push_back(line);
      inGrid = level.rows.size() < static_cast<size_t>(level.sizeY);
      continue;
    }
    int a = 0, b = 0;
    char side = 0;
    if (std::sscanf(line.c_str(), "X %d", &a) == 1) level.sizeX = a;
    else if (std::sscanf(line.c_str(), "Y %d", &a) == 1) level.sizeY = a;
    else if (std::sscanf(line.c_str(), "P %d %d", &a, &b) == 2) level.startX = a, level.startY = b;
    else if (line == "Level") inGrid = level.sizeY > 0;
    else if (std::sscanf(line.c_str(), "B %d %d", &a, &b) == 2) level.boxes.push_back({a, b});
    else if ((line[0] == 'W' || line[0] == 'G') && std::sscanf(line.c_str() + 1, " %d %d %c", &a, &b, &side) == 3)
      level.pictures.push_back({a, b, side});
    else level.problems.push_back("unknown line: " + line);
  }
  if (level.rows.size() != static_cast<size_t>(level.sizeY)) level.problems.push_back("grid block cut short");
  return level;
}

class LevelOne : public ::testing::Test {
 protected:
  void SetUp() override {
    level_ = readLevel(dataPath("LEVEL/level1.dat"));
    ASSERT_EQ(level_.problems, std::vector<std::string>{});
  }
  Level level_;
};
}  // namespace

TEST_F(LevelOne, IsTheHandMadeFileUnchanged) {
  EXPECT_EQ(readWholeFile(dataPath("LEVEL/level1.dat")),
            readWholeFile(std::string(BRAKMOOR_SOURCE_DIR) + "/tools/datagen/level1.dat"));
}

TEST_F(LevelOne, GridHasAPlayableSizeAndBothSurfaceStyles) {
  EXPECT_GE(level_.sizeX, 30);
  EXPECT_LE(level_.sizeX, 60);
  EXPECT_GE(level_.sizeY, 30);
  EXPECT_LE(level_.sizeY, 60);
  std::map<int, int> counts;
  for (int y = 1; y <= level_.sizeY; ++y)
    for (int x = 1; x <= level_.sizeX; ++x) ++counts[level_.cell(x, y)];
  EXPECT_GT(counts[1], 100);
  EXPECT_GT(counts[2], 100);
  EXPECT_EQ(counts.size(), 3u) << "only solid, style 1 and style 2 cells";
}

TEST_F(LevelOne, EveryOpenCellCanBeReachedFromTheStart) {
  ASSERT_NE(level_.cell(level_.startX, level_.startY), 0);
  std::set<std::pair<int, int>> reached{{level_.startX, level_.startY}};
  std::vector<std::pair<int, int>> frontier{{level_.startX, level_.startY}};
  while (!frontier.empty()) {
    auto [x, y] = frontier.back();
    frontier.pop_back();
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
      if (level_.cell(x + dx, y + dy) != 0 && reached.insert({x + dx, y + dy}).second)
        frontier.push_back({x + dx, y + dy});
  }
  int open = 0;
  for (int y = 1; y <= level_.sizeY; ++y)
    for (int x = 1; x <= level_.sizeX; ++x) open += level_.cell(x, y) != 0 ? 1 : 0;
  EXPECT_EQ(static_cast<int>(reached.size()), open);
  // Five enemies need space to walk: rooms, not just a corridor.
  EXPECT_GT(open, 300);
}

TEST_F(LevelOne, StartLiesInAnOpenArea) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      EXPECT_NE(level_.cell(level_.startX + dx, level_.startY + dy), 0) << dx << "," << dy;
}

TEST_F(LevelOne, BoxesStandInOpenCellsAwayFromTheStart) {
  EXPECT_GE(level_.boxes.size(), 5u);
  std::set<std::pair<int, int>> cells;
  for (auto [x, y] : level_.boxes) {
    EXPECT_NE(level_.cell(x, y), 0) << x << "," << y;
    EXPECT_FALSE(x == level_.startX && y == level_.startY);
    EXPECT_TRUE(cells.insert({x, y}).second) << "two boxes in " << x << "," << y;
  }
}

TEST_F(LevelOne, PicturesOfBothKindsHangOnRealWalls) {
  const std::map<char, std::pair<int, int>> across = {{'O', {0, 1}}, {'U', {0, -1}}, {'L', {-1, 0}}, {'R', {1, 0}}};
  int kinds = 0;
  std::ifstream in(dataPath("LEVEL/level1.dat"));
  for (std::string line; std::getline(in, line);) kinds |= line.rfind("W ", 0) == 0 ? 1 : line.rfind("G ", 0) == 0 ? 2 : 0;
  EXPECT_EQ(kinds, 3) << "both W and G pictures";
  for (const Picture& p : level_.pictures) {
    SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y) + " " + p.side);
    ASSERT_EQ(across.count(p.side), 1u);
    auto [dx, dy] = across.at(p.side);
    EXPECT_NE(level_.cell(p.x, p.y), 0) << "the picture's cell is open";
    EXPECT_EQ(level_.cell(p.x + dx, p.y + dy), 0) << "a wall stands behind it";
  }
}
