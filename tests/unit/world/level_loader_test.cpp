#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "level_text.h"

namespace {

int openCellCount() {
  int count = 0;
  for (int32_t value : world().level.levelGrid) count += value != 0;
  return count;
}

using Fields = std::vector<int>;
Fields fields(const BoxItem& box) { return {box.x, box.y}; }
Fields fields(const WallPicture& picture) { return {picture.x, picture.y, picture.side}; }
Fields listCounts() { return {world().level.boxes.count, world().level.picturesW.count, world().level.picturesG.count}; }

// Cells as {x, y, value}; the open and box counts catch writes anywhere else.
struct GridCase { const char* what; std::string text; std::vector<std::array<int, 3>> cells; int openCells, boxes; };

TEST(LevelLoader, GridRules) {
  const GridCase cases[] = {
      {"outside the array is solid", "X 3\nY 1\nLevel\n111\n", {{1, 1, 1}, {-1, 1, 0}, {1, 255, 0}, {100000, -7, 0}}, 3, 0},
      {"comments and blanks are no rows", "X 2\nY 2\nLevel\n12\n# between\n\n21\n", {{1, 2, 1}, {2, 2, 2}, {1, 1, 2}, {2, 1, 1}}, 4, 0},
      {"only the exact word Level", "X 2\nY 1\nLevel \n11\nlevel\n11\nLEVEL\n11\n", {}, 0, 0},
      {"non-digits are solid", "X 5\nY 1\nLevel\n1a 9-\n", {{1, 1, 1}, {2, 1, 0}, {4, 1, 9}, {5, 1, 0}}, 2, 0},
      {"short rows", "X 6\nY 2\nLevel\n111111\n22\n", {{6, 2, 1}, {2, 1, 2}, {3, 1, 0}, {6, 1, 0}}, 8, 0},
      {"grid cut short", "X 2\nY 4\nLevel\n11\n22\nB 1 1", {{1, 4, 1}, {1, 3, 2}, {1, 2, 0}, {1, 1, 0}}, 4, 0},
      {"a last line without line feed is dropped", "B 1 1\nB 2 2", {}, 0, 1},
      {"size 0 reads no rows", "X 0\nY 3\nLevel\n111\nB 1 1\n", {}, 0, 1},
      {"long lines arrive in pieces of 254 characters", std::string(254, 'a') + "B 1 2\n", {}, 0, 1},
      {"records apply again", "X 3\nY 2\nLevel\n111\n111\nX 2\nY 1\nLevel\n20\nB 1 1\nB 2 1\n",
       {{1, 1, 2}, {2, 1, 0}, {3, 1, 1}, {1, 2, 1}}, 5, 2},
  };
  for (const GridCase& c : cases) {
    for (const char* lineEnd : {"\n", "\r\n"}) {
      SCOPED_TRACE(std::string(c.what) + (lineEnd[0] == '\r' ? " (CR LF)" : ""));
      std::string text;
      for (char ch : c.text) text += ch == '\n' ? std::string(lineEnd) : std::string(1, ch);
      ASSERT_TRUE(loadLevelText(text));
      for (const auto& [x, y, value] : c.cells) EXPECT_EQ(levelCell(world().level, x, y), value) << x << ", " << y;
      EXPECT_EQ(openCellCount(), c.openCells);
      EXPECT_EQ(world().level.boxes.count, c.boxes);
    }
  }
}

TEST(LevelLoader, AMissingFileResetsOnlyTheCountsAndAnyLoadEmptiesGridAndLists) {
  ASSERT_TRUE(loadLevelText("X 6\nY 4\nP 2 2\nLevel\n000000\n011200\n010000\n000000\nB 3 3\nW 2 3 O\nG 4 3 U\n"));
  EXPECT_FALSE(loadLevel(world().level, (::testing::TempDir() + "no_such_level.dat").c_str()));
  EXPECT_EQ(listCounts(), Fields({0, 0, 0}));
  EXPECT_EQ(levelCell(world().level, 4, 3), 2);
  ASSERT_TRUE(loadLevelText("# nothing here\n\n#X 9\n\nB 5 5\n", false));
  EXPECT_EQ(openCellCount(), 0);
  EXPECT_EQ(listCounts(), Fields({1, 0, 0}));
  EXPECT_EQ(Fields({world().level.sizeX, world().level.startY}), Fields({6, 2}));  // sizes stay until a record sets them
}

// Sizes clamp to 253, keeping the solid ring inside the array; lists keep their first entries.
TEST(LevelLoader, OversizedGridsAndListsStayInsideLevelData) {
  std::string text = "X 300\nY 999999999999\nLevel\n";
  for (int row = 0; row < 260; ++row) text += std::string(253, '1') + "\n";
  for (int i = 0; i < 300; ++i) text += "B " + std::to_string(i) + " 1\n";
  for (int i = 0; i < 150; ++i) text += "W " + std::to_string(i) + " 1 L\nG 1 " + std::to_string(i) + " R\n";
  ASSERT_TRUE(loadLevelText(text));
  EXPECT_EQ(Fields({world().level.sizeX, world().level.sizeY}), Fields({maxLevelSize, maxLevelSize}));
  EXPECT_EQ(openCellCount(), 253 * 253);
  ASSERT_EQ(listCounts(), Fields({maxBoxes, maxPictures, maxPictures}));
  EXPECT_EQ(fields(world().level.boxes.items[254]), Fields({254, 1}));
  EXPECT_EQ(fields(world().level.picturesW.items[99]), Fields({99, 1, wallLeft}));
  EXPECT_EQ(fields(world().level.picturesG.items[99]), Fields({1, 99, wallRight}));
}

TEST(LevelLoader, MissingMalformedAndHugeFields) {
  ASSERT_TRUE(loadLevelText(
      "X 5\nP 4 4\nX abc\nP 3\n"      // unreadable X keeps 5; P sets only startX
      "B\nB 7\nB 99999999999999999999 -99999999999999999999\n"
      "W 2 3\nW 2 3 O\nW 2 3 Q\nW\n"  // Bottom, Top, unknown letter, (0,0) Bottom
      "G 1 2 o\nG+3-4U\n"));          // lower case does not count
  EXPECT_EQ(Fields({world().level.sizeX, world().level.startX, world().level.startY}), Fields({5, 3, 4}));
  ASSERT_EQ(listCounts(), Fields({3, 4, 2}));
  const Fields boxes[] = {{0, 0}, {7, 0}, {INT32_MAX, INT32_MIN}};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(fields(world().level.boxes.items[i]), boxes[i]) << "box " << i;
  const Fields w[] = {{2, 3, wallBottom}, {2, 3, wallTop}, {2, 3, noWallSide}, {0, 0, wallBottom}};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(fields(world().level.picturesW.items[i]), w[i]) << "W " << i;
  const Fields g[] = {{1, 2, noWallSide}, {3, -4, wallBottom}};
  for (int i = 0; i < 2; ++i) EXPECT_EQ(fields(world().level.picturesG.items[i]), g[i]) << "G " << i;
}

}  // namespace
