#pragma once
#include <cstdint>

// Draws the static world under the camera matrix: the world triangles in
// array order, each with its own texture bind and its kind's material.
//
// With culling on (the game's setting), only the triangles of the world's
// grid blocks (world/world_block_index.h) that the view frustum may reach are
// drawn; every pixel comes out as with the whole array, and the pass leaves
// the same GL state behind (material, bound texture, current normal and
// texture coordinate). Off, every triangle is drawn; the whole pass is kept
// for tests and comparisons and has no key.
extern bool worldCullingEnabled;

// How many triangles the last pass drew.
extern std::int32_t worldTrianglesDrawn;

void drawWorldTriangles();
