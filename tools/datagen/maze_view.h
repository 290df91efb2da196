#pragma once
// A first-person view into the maze, drawn by casting one ray per picture
// column through the grid: textured walls, floors and ceilings in the two
// surface styles, fading into darkness with distance. Used for the intro
// movie and the title picture.
#include <array>

#include "tools/datagen/image.h"
#include "tools/datagen/maze_grid.h"

// A viewpoint in grid units: cell (x, y) covers [x - 1, x) by [y - 1, y).
struct MazeCamera {
  float x = 0.0f, y = 0.0f;
  float heading = 0.0f;  // radians, 0 looking toward +x, growing toward +y
};

class MazeView {
 public:
  explicit MazeView(const MazeGrid& grid);
  // Fills `target`, sampling each pixel several times so fine patterns in
  // the distance blur instead of flickering.
  void render(Image& target, const MazeCamera& camera) const;

 private:
  void renderSharp(Image& target, const MazeCamera& camera) const;
  struct Style {
    Image wall, floor, ceiling;
  };
  const Style& styleOf(int value) const { return value == 2 ? styles_[1] : styles_[0]; }
  const MazeGrid& grid_;
  std::array<Style, 2> styles_;
};
