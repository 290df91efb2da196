#include "tests/support/largest_maze.h"

#include <cstdint>
#include <cstring>

#include "world/level.h"

void generateLargestMaze(LevelData& levelData) {
  std::memset(&levelData, 0, sizeof levelData);
  levelData.sizeX = maxLevelSize;
  levelData.sizeY = maxLevelSize;
  levelData.startX = 1;
  levelData.startY = 1;
  std::uint32_t state = 12345;
  const auto open = [&levelData](int x, int y) { levelData.levelGrid[levelGridSide * x + y] = 1; };
  for (int x = 1; x <= maxLevelSize; x += 2) {
    for (int y = 1; y <= maxLevelSize; y += 2) {
      open(x, y);
      state = state * 1664525u + 1013904223u;
      const bool east = (state >> 16) & 1;
      if (east && x + 1 <= maxLevelSize) {
        open(x + 1, y);
      } else if (y + 1 <= maxLevelSize) {
        open(x, y + 1);
      }
    }
  }
}
