#pragma once
#include <cstdint>
#include <vector>

#include "render/texture_table.h"
#include "world/world_block_index.h"

struct World;

// Draws the static world under the camera matrix: the world triangles in
// array order, each with its own texture bind and its kind's material.
//
// With culling on (the game's setting), only the triangles of the world's
// grid blocks (world/world_block_index.h) that the view frustum may reach are
// drawn; every pixel comes out as with the whole array, and the pass leaves
// the same GL state behind (material, bound texture, current normal and
// texture coordinate). Off, every triangle is drawn; the whole pass is kept
// for tests and comparisons and has no key.
struct WorldPassState {
  bool cullingEnabled = true;
  // How many triangles the last pass drew.
  std::int32_t trianglesDrawn = 0;
  // The runs the last culled pass drew; kept between frames so the pass
  // does not allocate.
  std::vector<TriangleRun> visibleRuns;
};

// Textures are the names of `textureTable` by each triangle's index.
// Leaves: the camera matrix, the last triangle's texture, material, normal.
void drawWorldTriangles(WorldPassState& pass, const World& world, const TextureTable& textureTable);
