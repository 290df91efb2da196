#pragma once
// The game's three collision models and the player box they test.
//
// The player box model (playerBoxModel) holds the 16 player box triangles,
// the world model (worldCollisionModel) every world triangle in array order
// (so a reported world index selects worldTriangles[i] directly), the second
// box model (secondPlayerBoxModel) the box once more. The world record
// creates them, in that order, and buildWorld fills them; a later buildWorld
// refills them (the library starts a model over when it receives triangles
// after finalize).

#include <cstdint>

#include "coldet/coldet.h"

struct WorldTriangle;

// The three models as the game passes them around.
struct CollisionModels {
  CollisionModel3D* world;
  CollisionModel3D* playerBox;
  CollisionModel3D* secondPlayerBox;
};

constexpr int32_t playerBoxTriangleCount = 16;

// The player box in its own coordinates (x right, y up, negative z ahead):
// per triangle x, y, z of three corners. 0-3 are a spike reaching 0.5 ahead,
// 4-7 one reaching 0.5 behind, 8-11 four copies of a flat triangle reaching
// 0.5 to the left and 12-15 the same to the right, so each part owns four
// consecutive indices.
extern const float playerBoxTriangles[playerBoxTriangleCount][9];

enum CollisionSide : int32_t {
  collisionFront = 0,
  collisionBack = 1,
  collisionLeft = 2,
  collisionRight = 3,
  collisionNone = -1
};

// The part of the player box that triangle `boxTriangle` belongs to; any
// index outside 0..15 gives collisionNone.
CollisionSide collisionSideOfBoxTriangle(int32_t boxTriangle);

// Gives the world model the `count` triangles at `triangles` and the two box
// models the player box, finalising each. Null models are skipped.
void fillCollisionModels(const CollisionModels& models, const WorldTriangle* triangles,
                         int32_t count);
