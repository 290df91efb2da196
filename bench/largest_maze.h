#pragma once
// The largest maze a level can hold, for the benchmarks that must see how
// the game scales: a binary-tree maze over the whole 253 x 253 grid.

#include <cstdint>
#include <cstring>

#include "world/level.h"

// Replaces `levelData` with the maze: every odd cell is open and joined to its
// neighbour east or north, picked by a fixed generator, so every call gives
// the same level. Start cell (1, 1), no boxes, no pictures.
inline void generateLargestMaze(LevelData& levelData) {
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
