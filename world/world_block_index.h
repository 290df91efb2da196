#pragma once
// A grid index of the world triangles for the world pass: the floor plan is
// cut into square blocks, every triangle belongs to the block under its
// centre, and each block knows the box around its triangles and which
// triangles they are, as runs of consecutive array indices. A pass that
// tests the blocks against the view and draws the runs of the blocks that
// pass, in array order, draws what the whole array would draw there.

#include <cstdint>
#include <vector>

#include "world/world_geometry.h"

// Triangles first .. first + count - 1 of the array, all in one block.
// `kindBefore` is the material kind (kindSurface or kindBox) in force when
// the whole array is drawn up to triangle first - 1: the kind of the last
// triangle before `first` whose kind is one of the two, or -1 when there is
// none. A pass that skips triangles restores it before drawing the run, so a
// triangle of an unknown kind keeps the same material as in the whole pass.
struct TriangleRun {
  int32_t first, count, kindBefore;
};

// The box around all corners of the block's triangles (not padded) and the
// block's runs, runs[firstRun .. firstRun + runCount), in array order.
struct WorldBlock {
  float low[3], high[3];
  int32_t firstRun, runCount;
};

struct WorldBlockIndex {
  // The array the index was built from: a pass over any other array (one a
  // test swapped in) must not use it. The world is never changed in place;
  // whoever does so must build the index again.
  const WorldTriangle* triangles = nullptr;
  int32_t triangleCount = 0;
  // Only blocks holding triangles are kept, in no particular order.
  std::vector<WorldBlock> blocks;
  std::vector<TriangleRun> runs;
  // The material kind the whole array leaves in force (-1: none set).
  int32_t kindAfterAll = -1;

  bool indexes(const WorldTriangle* array, int32_t count) const {
    return array != nullptr && array == triangles && count == triangleCount;
  }
};

// Side of a block in world units (4 x 4 grid cells) for ordinary levels; a
// world spread wider than worldBlocksPerSide blocks gets larger blocks, so
// triangles far outside the maze (a box record with distant coordinates)
// cannot blow the grid up.
constexpr float worldBlockSide = 8.0f;
constexpr int32_t worldBlocksPerSide = 128;

// The index of `count` triangles at `triangles` (buildWorld builds one
// whenever it builds the world). An empty or missing array gives an empty
// index.
WorldBlockIndex buildWorldBlockIndex(const WorldTriangle* triangles, int32_t count);
