#pragma once
// The maze as read from the level file: grid size, start cell, one digit per
// cell and the objects placed on cells (held by the World record,
// world/world.h). Cell (x, y) is levelGrid[255 * x + y];
// 0 is solid, any other value is open. x counts columns from 1 at the left, y
// counts rows from 1 at the bottom line of the grid block.

#include <cstdint>

constexpr int32_t levelGridSide = 255;
// Largest grid size: the loader writes cells 1..253 only, so the ring of solid
// cells around the maze (0 and size + 1) still lies inside the array.
constexpr int32_t maxLevelSize = 253;
constexpr int32_t maxBoxes = 255;
constexpr int32_t maxPictures = 100;
// A line buffer must hold this many bytes (254 characters and the zero).
constexpr int32_t levelLineBufferSize = 255;

struct BoxItem {
  int32_t x, y;
};

struct WallPicture {
  int32_t x, y, side;
};

enum WallSide : int32_t { wallTop = 0, wallBottom = 1, wallLeft = 2, wallRight = 3 };
// The side of anything that lies on no border: floors, ceilings and box covers
// in the world, and pictures whose side letter is not one of O, U, L, R (such
// pictures are not built).
constexpr int32_t noWallSide = 4;

struct BoxList {
  int32_t count;
  BoxItem items[maxBoxes];
};

struct PictureList {
  int32_t count;
  WallPicture items[maxPictures];
};

struct LevelData {
  int32_t sizeX, sizeY, startX, startY;
  int32_t levelGrid[levelGridSide * levelGridSide];
  BoxList boxes;
  PictureList picturesW, picturesG;
};

// Value of cell (x, y); every cell outside the 255 x 255 array counts as solid,
// so sight lines and neighbour tests may run past the maze.
inline int32_t levelCell(const LevelData& level, int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= levelGridSide || y >= levelGridSide) return 0;
  return level.levelGrid[levelGridSide * x + y];
}

// Grid size as it may safely be walked: a size record above 253 is clamped on
// loading, but LevelData is a plain record that anyone may fill.
inline int32_t walkableSize(int32_t size) {
  return size > maxLevelSize ? maxLevelSize : size;
}
