#pragma once
// The small levels the game tests walk, shoot and look along, written into
// world().level, and the eye and enemy 0 placed in them.

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "tests/support/test_records.h"

// An empty grid of `size` cells a side, the start cell (1, 1), only `cells`
// open.
void openCells(std::int32_t size, std::initializer_list<std::pair<int, int>> cells);

// A corridor along column 2 from row 1 to `rows` in a 25-cell grid, starting
// at its first cell: cell (2, r) is centred at world (3, 1 - 2r), its walls
// at x = 2 and x = 4.
void corridorAlongColumnTwo(int rows = 20);

// The eye at world (x, z): the camera translation is its negation.
void putEyeAt(float x, float z);

// Enemy 0 placed, alive, at full health at (x, z), walking `direction`
// (4 stands still).
Enemy& placeFirstEnemy(float x, float z, int direction = 4);
