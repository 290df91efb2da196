#pragma once
// The five enemies at work: placed on random open cells when the scene is
// set up; every frame they walk, turn toward the player, animate, are drawn,
// look for the player along the grid and, when they see the player within
// range, fire.

#include <cstdint>
#include <string>

struct Game;
struct LevelData;

// The figure every enemy is drawn with.
extern const char* const enemyFigureFile;

// Loads the figure into each enemy, places it on a random open cell with a
// random walking direction, starts its walk sequence (4) and marks it alive;
// then gives all five 25 health and zero counters. Returns an empty text,
// or, when the figure cannot be loaded, at once the loader's text of why
// (ModelInstance::loadModel).
std::string createEnemies(Game& state, const LevelData& level);

// Whether the enemies' grid cell under (x, z) is open: column
// trunc((x - 1) * 0.5 + 1), row trunc((z + 1) * -0.5 + 1). Cells outside the
// grid count as solid.
bool enemyCellOpen(const LevelData& level, float x, float z);

// Frame step under the camera matrix: walk, face, animate, draw, measure the
// distance to the eye and test the sight line.
// Leaves: the camera matrix, texturing on, the last figure's texture bound.
void moveAndDrawEnemies(Game& state, const LevelData& level);

// Frame step after the enemies are drawn: each enemy that sees the player
// within 15 units and has waited about two seconds of frames fires; each hit
// costs the player 15 minus the distance. Health stops at 0, which marks the
// player dead.
void enemiesFire(Game& state);
