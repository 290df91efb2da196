#pragma once
// The static world as one array of textured triangles, built from levelData.
// A triangle's index in worldTriangles is its identity for drawing and for
// the collision models (triangle i of the world model is worldTriangles[i]).
//
// World coordinates: Y up, floor at 0, ceiling at 2; cell (x, y) covers X from
// 2x - 2 to 2x and Z from -2y to -2y + 2 (grid y grows toward negative Z).

#include <cstdint>

#include "coldet/coldet.h"
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

extern WorldTriangle* worldTriangles;
extern int32_t worldTriangleCount;

// Texture-table indices of the world's surfaces.
constexpr int32_t floorTextureStyle1 = 19, ceilingTextureStyle1 = 20, wallTextureStyle1 = 10;
constexpr int32_t floorTextureStyle2 = 24, ceilingTextureStyle2 = 25, wallTextureStyle2 = 26;
constexpr int32_t boxTexture = 13, pictureTextureW = 11, pictureTextureG = 16;

// Builds worldTriangles from levelData (sized by a counting pass, allocated
// in one piece; an earlier array is released), then fills the three
// collision models: the world triangles in array order and the player box
// twice. Models may be null (then they are skipped); models filled by an
// earlier call start over. If the array cannot be allocated the world is
// left empty (count 0).
void buildWorld(CollisionModel3D* worldModel, CollisionModel3D* playerBox,
                CollisionModel3D* secondPlayerBox);

// Number of triangles buildWorld emits for the current levelData.
int32_t countWorldTriangles();

// The emitters write records into worldTriangles from `index` on and return
// the index after the last record they wrote. A record that would fall
// outside the array (index >= worldTriangleCount) is not written, but still
// counted in the returned index.
int32_t addFloorAndCeiling(int32_t index, int32_t x, int32_t y, int32_t floorTexture,
                           int32_t ceilingTexture);
int32_t addCellWalls(int32_t index, int32_t x, int32_t y, int32_t wallTexture1,
                     int32_t wallTexture2);
int32_t addBox(int32_t index, const BoxItem& box);
int32_t addWallPictures(int32_t index, const PictureList& pictures, int32_t texture);

// How many triangles addCellWalls emits for cell (x, y).
int32_t cellWallTriangleCount(int32_t x, int32_t y);
// Whether a picture is built at all (its side is a border).
bool pictureIsPlaced(const WallPicture& picture);
// The list length as it may safely be walked (0 to capacity).
int32_t usableCount(int32_t count, int32_t capacity);
