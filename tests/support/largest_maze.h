#pragma once
// The largest maze a level can hold, for benchmarks and tests that must see
// how the game scales: a binary-tree maze over the whole 253 x 253 grid.

struct LevelData;

// Replaces `levelData` with the maze: every odd cell is open and joined to its
// neighbour east or north, picked by a fixed generator, so every call gives
// the same level. Start cell (1, 1), no boxes, no pictures.
void generateLargestMaze(LevelData& levelData);
