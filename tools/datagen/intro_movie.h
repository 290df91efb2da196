#pragma once
// The intro movie: a flight through the level's maze along its longest
// corridor route, with the game's name fading in and a fade to black at
// the end. Frames are uncompressed so the Windows AVI library needs no codec.
#include <cstdint>
#include <vector>

#include "tools/datagen/maze_grid.h"

constexpr int kIntroFrameCount = 160;
constexpr int kIntroMillisecondsPerFrame = 36;
constexpr int kIntroWidth = 256;
constexpr int kIntroHeight = 192;

std::vector<uint8_t> makeIntroMovie(const MazeGrid& grid);
