#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "level_text.h"
#include "world/level.h"

namespace {

const char* const exampleLevel =
    "X 6\n"
    "Y 4\n"
    "P 2 2\n"
    "Level\n"
    "000000\n"
    "011200\n"
    "010000\n"
    "000000\n"
    "B 3 3\n"
    "W 2 3 O\n"
    "G 4 3 U\n";

int openCellCount() {
  int count = 0;
  for (int32_t value : levelData.levelGrid) count += value != 0;
  return count;
}

TEST(LevelLoader, ReadsTheExampleLevel) {
  ASSERT_TRUE(loadLevelText(exampleLevel));
  EXPECT_EQ(levelData.sizeX, 6);
  EXPECT_EQ(levelData.sizeY, 4);
  EXPECT_EQ(levelData.startX, 2);
  EXPECT_EQ(levelData.startY, 2);
  // The first grid line is y = 4, the last y = 1: "011200" is y = 3.
  EXPECT_EQ(levelCell(2, 3), 1);
  EXPECT_EQ(levelCell(3, 3), 1);
  EXPECT_EQ(levelCell(4, 3), 2);
  EXPECT_EQ(levelCell(2, 2), 1);
  EXPECT_EQ(levelData.levelGrid[255 * 4 + 3], 2);
  EXPECT_EQ(openCellCount(), 4);
  ASSERT_EQ(levelData.boxes.count, 1);
  EXPECT_EQ(levelData.boxes.items[0].x, 3);
  EXPECT_EQ(levelData.boxes.items[0].y, 3);
  ASSERT_EQ(levelData.picturesW.count, 1);
  EXPECT_EQ(levelData.picturesW.items[0].side, wallTop);
  ASSERT_EQ(levelData.picturesG.count, 1);
  EXPECT_EQ(levelData.picturesG.items[0].x, 4);
  EXPECT_EQ(levelData.picturesG.items[0].side, wallBottom);
}

TEST(LevelLoader, CellsOutsideTheArrayAreSolid) {
  ASSERT_TRUE(loadLevelText("X 3\nY 1\nLevel\n111\n"));
  EXPECT_EQ(levelCell(1, 1), 1);
  EXPECT_EQ(levelCell(-1, 1), 0);
  EXPECT_EQ(levelCell(1, 255), 0);
  EXPECT_EQ(levelCell(100000, -7), 0);
}

TEST(LevelLoader, MissingFileChangesOnlyTheCounts) {
  ASSERT_TRUE(loadLevelText(exampleLevel));
  EXPECT_FALSE(loadLevel((::testing::TempDir() + "no_such_level.dat").c_str()));
  EXPECT_EQ(levelData.boxes.count, 0);
  EXPECT_EQ(levelData.picturesW.count, 0);
  EXPECT_EQ(levelData.picturesG.count, 0);
  EXPECT_EQ(levelCell(4, 3), 2);
  EXPECT_EQ(levelData.sizeX, 6);
}

TEST(LevelLoader, CommentsAndBlankLinesOnly) {
  ASSERT_TRUE(loadLevelText(exampleLevel));
  ASSERT_TRUE(reloadLevelText("# nothing here\n\n#X 9\n\n"));
  EXPECT_EQ(openCellCount(), 0);
  EXPECT_EQ(levelData.boxes.count, 0);
  EXPECT_EQ(levelData.picturesW.count + levelData.picturesG.count, 0);
  // Sizes and start keep their values until a record sets them.
  EXPECT_EQ(levelData.sizeX, 6);
  EXPECT_EQ(levelData.startY, 2);
}

TEST(LevelLoader, CommentsAndBlanksInsideTheGridDoNotCountAsRows) {
  ASSERT_TRUE(loadLevelText("X 2\nY 2\nLevel\n12\n# between\n\n21\n"));
  EXPECT_EQ(levelCell(1, 2), 1);
  EXPECT_EQ(levelCell(2, 2), 2);
  EXPECT_EQ(levelCell(1, 1), 2);
  EXPECT_EQ(levelCell(2, 1), 1);
}

TEST(LevelLoader, LastLineCountsOnlyWithItsLineFeed) {
  ASSERT_TRUE(loadLevelText("B 1 1\nB 2 2"));
  EXPECT_EQ(levelData.boxes.count, 1);
  ASSERT_TRUE(loadLevelText("B 1 1\nB 2 2\n"));
  EXPECT_EQ(levelData.boxes.count, 2);
}

TEST(LevelLoader, CarriageReturnLineEndsLoadTheSame) {
  ASSERT_TRUE(loadLevelText(exampleLevel));
  const LevelData withLf = levelData;
  std::string crlf;
  for (const char* p = exampleLevel; *p != '\0'; ++p) crlf += *p == '\n' ? std::string("\r\n") : std::string(1, *p);
  ASSERT_TRUE(loadLevelText(crlf));
  EXPECT_EQ(std::memcmp(&withLf, &levelData, sizeof levelData), 0);
}

TEST(LevelLoader, OnlyTheExactWordLevelOpensAGrid) {
  ASSERT_TRUE(loadLevelText("X 2\nY 1\nLevel \n11\nlevel\n11\nLEVEL\n11\n"));
  EXPECT_EQ(openCellCount(), 0);
}

TEST(LevelLoader, NonDigitsInRowsAreSolid) {
  ASSERT_TRUE(loadLevelText("X 5\nY 1\nLevel\n1a 9-\n"));
  EXPECT_EQ(levelCell(1, 1), 1);
  EXPECT_EQ(levelCell(2, 1), 0);
  EXPECT_EQ(levelCell(3, 1), 0);
  EXPECT_EQ(levelCell(4, 1), 9);
  EXPECT_EQ(levelCell(5, 1), 0);
}

TEST(LevelLoader, ShortRowsReadAsSolidEvenAfterLongerLines) {
  ASSERT_TRUE(loadLevelText("X 6\nY 2\nLevel\n111111\n22\n"));
  EXPECT_EQ(levelCell(6, 2), 1);
  EXPECT_EQ(levelCell(2, 1), 2);
  for (int x = 3; x <= 6; ++x) EXPECT_EQ(levelCell(x, 1), 0) << x;
}

TEST(LevelLoader, GridCutShortLeavesTheMissingRowsSolid) {
  ASSERT_TRUE(loadLevelText("X 2\nY 4\nLevel\n11\n22\nB 1 1"));
  EXPECT_EQ(levelCell(1, 4), 1);
  EXPECT_EQ(levelCell(1, 3), 2);
  EXPECT_EQ(levelCell(1, 2), 0);
  EXPECT_EQ(levelCell(1, 1), 0);
  EXPECT_EQ(levelData.boxes.count, 0);  // the unfinished last line is no record
}

TEST(LevelLoader, SizesAreClampedAboveTheLimitAndNoRowsReadBelowOne) {
  std::string text = "X 300\nY 999999999999\nLevel\n";
  for (int row = 0; row < 260; ++row) text += std::string(253, '1') + "\n";
  ASSERT_TRUE(loadLevelText(text));
  EXPECT_EQ(levelData.sizeX, maxLevelSize);
  EXPECT_EQ(levelData.sizeY, maxLevelSize);
  EXPECT_EQ(levelCell(1, 1), 1);
  EXPECT_EQ(levelCell(253, 253), 1);
  // The ring around the maze stays solid.
  EXPECT_EQ(levelCell(254, 10), 0);
  EXPECT_EQ(levelCell(10, 254), 0);
  EXPECT_EQ(levelCell(0, 10), 0);
  EXPECT_EQ(openCellCount(), 253 * 253);

  ASSERT_TRUE(loadLevelText("X 0\nY 3\nLevel\n111\nB 1 1\n"));
  EXPECT_EQ(openCellCount(), 0);
  EXPECT_EQ(levelData.boxes.count, 1);  // lines after the empty block are records again
  ASSERT_TRUE(loadLevelText("X 3\nY -2\nLevel\n111\n"));
  EXPECT_EQ(openCellCount(), 0);
}

TEST(LevelLoader, ListsKeepTheirFirstEntriesUpToCapacity) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "B " + std::to_string(i) + " 1\n";
  for (int i = 0; i < 150; ++i) text += "W " + std::to_string(i) + " 1 L\nG 1 " + std::to_string(i) + " R\n";
  ASSERT_TRUE(loadLevelText(text));
  ASSERT_EQ(levelData.boxes.count, maxBoxes);
  EXPECT_EQ(levelData.boxes.items[254].x, 254);
  ASSERT_EQ(levelData.picturesW.count, maxPictures);
  EXPECT_EQ(levelData.picturesW.items[99].x, 99);
  ASSERT_EQ(levelData.picturesG.count, maxPictures);
  EXPECT_EQ(levelData.picturesG.items[99].y, 99);
  EXPECT_EQ(levelData.picturesG.items[99].side, wallRight);
}

TEST(LevelLoader, MissingAndMalformedFields) {
  ASSERT_TRUE(loadLevelText(
      "X 5\nY 5\nP 4 4\n"
      "X abc\nP 3\n"                  // unreadable X keeps 5; P sets only startX
      "B\nB 7\nB x 3\n"               // (0,0), (7,0), (0,0)
      "W 2 3\nW 2 3 R\nW 2 3 Q\nW\n"  // Bottom, Right, no side, (0,0) Bottom
      "G 1 2 L\nG 1 2 o\nG+3-4O\n"));
  EXPECT_EQ(levelData.sizeX, 5);
  EXPECT_EQ(levelData.startX, 3);
  EXPECT_EQ(levelData.startY, 4);
  ASSERT_EQ(levelData.boxes.count, 3);
  EXPECT_EQ(levelData.boxes.items[0].x, 0);
  EXPECT_EQ(levelData.boxes.items[1].x, 7);
  EXPECT_EQ(levelData.boxes.items[1].y, 0);
  EXPECT_EQ(levelData.boxes.items[2].y, 0);
  ASSERT_EQ(levelData.picturesW.count, 4);
  EXPECT_EQ(levelData.picturesW.items[0].side, wallBottom);
  EXPECT_EQ(levelData.picturesW.items[1].side, wallRight);
  EXPECT_EQ(levelData.picturesW.items[2].side, noWallSide);
  EXPECT_EQ(levelData.picturesW.items[3].x, 0);
  EXPECT_EQ(levelData.picturesW.items[3].side, wallBottom);
  ASSERT_EQ(levelData.picturesG.count, 3);
  EXPECT_EQ(levelData.picturesG.items[0].side, wallLeft);
  EXPECT_EQ(levelData.picturesG.items[1].side, noWallSide);  // lower case does not count
  EXPECT_EQ(levelData.picturesG.items[2].x, 3);
  EXPECT_EQ(levelData.picturesG.items[2].y, -4);
  EXPECT_EQ(levelData.picturesG.items[2].side, wallTop);
}

TEST(LevelLoader, HugeNumbersSaturate) {
  ASSERT_TRUE(loadLevelText("B 99999999999999999999 -99999999999999999999\nB 2147483647 -2147483648\n"));
  ASSERT_EQ(levelData.boxes.count, 2);
  for (const BoxItem& box : {levelData.boxes.items[0], levelData.boxes.items[1]}) {
    EXPECT_EQ(box.x, INT32_MAX);
    EXPECT_EQ(box.y, INT32_MIN);
  }
}

TEST(LevelLoader, RepeatedRecordsApplyEachTime) {
  ASSERT_TRUE(loadLevelText("X 3\nY 2\nLevel\n111\n111\nX 2\nY 1\nLevel\n20\nB 1 1\nB 2 1\n"));
  EXPECT_EQ(levelData.sizeX, 2);
  EXPECT_EQ(levelData.sizeY, 1);
  EXPECT_EQ(levelCell(1, 1), 2);  // overwritten
  EXPECT_EQ(levelCell(2, 1), 0);
  EXPECT_EQ(levelCell(3, 1), 1);  // outside the second block: kept
  EXPECT_EQ(levelCell(1, 2), 1);
  ASSERT_EQ(levelData.boxes.count, 2);
  EXPECT_EQ(levelData.boxes.items[1].x, 2);
}

TEST(LevelLoader, EachLoadStartsFromAnEmptyGridAndLists) {
  ASSERT_TRUE(loadLevelText(exampleLevel));
  ASSERT_TRUE(reloadLevelText("B 5 5\n"));
  EXPECT_EQ(openCellCount(), 0);
  EXPECT_EQ(levelData.boxes.count, 1);
  EXPECT_EQ(levelData.picturesW.count, 0);
}

TEST(ReadLevelLine, LongLinesArriveIn254CharacterPieces) {
  const std::string longLine = std::string(254, 'a') + "B 1 2\n";
  const std::string path = writeLevelFile("# skip\n\n" + longLine + "last");
  std::FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  char line[levelLineBufferSize];
  ASSERT_TRUE(readLevelLine(file, line));
  EXPECT_EQ(std::string(line), std::string(254, 'a'));
  ASSERT_TRUE(readLevelLine(file, line));
  EXPECT_STREQ(line, "B 1 2\n");
  EXPECT_FALSE(readLevelLine(file, line));  // "last" has no line feed
  EXPECT_FALSE(readLevelLine(file, line));
  std::fclose(file);
  std::remove(path.c_str());
  // The second piece is a line of its own, so it is a box record.
  ASSERT_TRUE(loadLevelText(longLine));
  EXPECT_EQ(levelData.boxes.count, 1);
}

TEST(ReadLevelLine, StartRecordRefersToRowsFromTheBottom) {
  ASSERT_TRUE(loadLevelText("X 3\nY 3\nP 2 2\nLevel\n000\n010\n000\n"));
  EXPECT_NE(levelCell(levelData.startX, levelData.startY), 0);
}

}  // namespace
