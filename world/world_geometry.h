#pragma once
// The static world as one array of textured triangles, built from the level
// (World::worldTriangles, world/world.h). A triangle's index in the array is
// its identity for drawing and for the collision models (triangle i of the
// world model is worldTriangles[i]).
//
// World coordinates: Y up, floor at 0, ceiling at 2; cell (x, y) covers X from
// 2x - 2 to 2x and Z from -2y to -2y + 2 (grid y grows toward negative Z).

#include <cstdint>

#include "render/texture_files.h"
#include "world/level.h"

struct TriangleVertex {
  float x, y, z, u, v;
};

enum TriangleKind : int32_t { kindSurface = 0, kindBox = 1 };

// `side` is the WallSide of the border a vertical face lies on; horizontal
// triangles (floors, ceilings, box covers) carry noWallSide (4), which the
// collision response treats as "no wall".
struct WorldTriangle {
  int32_t texture, kind, side;
  TriangleVertex vertices[3];
};

struct World;


// Number of triangles buildWorld (world/world.h) emits for `level`.
int32_t countWorldTriangles(const LevelData& level);

// The emitters write records into world.worldTriangles from `index` on and
// return the index after the last record they wrote. A record that would
// fall outside the array (index >= its count) is not written, but still
// counted in the returned index. Cells are read from world.level.
int32_t addFloorAndCeiling(World& world, int32_t index, int32_t x, int32_t y, int32_t floorTexture,
                           int32_t ceilingTexture);
int32_t addCellWalls(World& world, int32_t index, int32_t x, int32_t y, int32_t wallTexture1,
                     int32_t wallTexture2);
int32_t addBox(World& world, int32_t index, const BoxItem& box);
int32_t addWallPictures(World& world, int32_t index, const PictureList& pictures, int32_t texture);

// How many triangles addCellWalls emits for cell (x, y).
int32_t cellWallTriangleCount(const LevelData& level, int32_t x, int32_t y);
// Whether a picture is built at all (its side is a border).
bool pictureIsPlaced(const WallPicture& picture);
// The list length as it may safely be walked (0 to capacity).
int32_t usableCount(int32_t count, int32_t capacity);
