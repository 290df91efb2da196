#pragma once
// The level's grid as the generator needs it for pictures of the maze: the
// cell values, the start cell and routes through the open cells. Grid
// coordinates as in the level file: x from 1 at the left, y from 1 at the
// bottom line of the grid block.
#include <optional>
#include <string>
#include <vector>

struct GridCell {
  int x = 0, y = 0;
};

class MazeGrid {
 public:
  MazeGrid(int width, int height, GridCell start);
  int width() const { return width_; }
  int height() const { return height_; }
  GridCell start() const { return start_; }
  // 0 (solid) outside the grid.
  int value(int x, int y) const;
  bool open(int x, int y) const { return value(x, y) != 0; }
  void setValue(int x, int y, int value);

  // The shortest walk from the start to the open cell farthest from it,
  // cell by cell (empty when the start is solid).
  std::vector<GridCell> longestShortestRoute() const;

 private:
  int width_, height_;
  GridCell start_;
  std::vector<int> cells_;
};

// Reads a level file with the game's own loader (world/level.h) and takes
// its sizes, start and grid; nothing (after a message) when the file is
// missing or holds no usable grid.
std::optional<MazeGrid> readMazeGrid(const std::string& path);
