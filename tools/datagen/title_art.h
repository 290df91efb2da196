#pragma once
// The game's name over a view into the maze: the title picture of the start
// dialog, and the lettering the intro movie fades in.
#include <optional>

#include "tools/datagen/image.h"
#include "tools/datagen/maze_grid.h"

// "BRAKMOOR", centred, in gold with a dark shadow; `opacity` 0 to 1.
void drawGameName(Image& target, int pixelSize, int baselineY, float opacity);

constexpr int kTitleWidth = 320;
constexpr int kTitleHeight = 165;
// The view from the start cell with the name across it.
Image makeTitlePicture(const MazeGrid& grid);
