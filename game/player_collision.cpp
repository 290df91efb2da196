#include "game/player_collision.h"

#include "coldet/coldet.h"
#include "game/enemy_table.h"
#include "render/gl_api.h"
#include "world/collision_models.h"

PlayerCollision playerCollision;

namespace {

void giveModelViewMatrix(CollisionModel3D* model) {
  float matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  model->setTransform(matrix);
}

// A ray from enemy 0 against the player box, kept as a debugging aid. It
// only counts its hits: stopping the game with message boxes in every frame
// it hits would freeze the player whenever enemy 0 comes close.
void traceDiagnosticRay(CollisionModel3D* worldModel, CollisionModel3D* playerBox) {
  const float origin[3] = {enemyTable.posX[0], 0.12f, enemyTable.posZ[0]};
  const float direction[3] = {0.0f, 0.0f, 1.0f};
  if (!playerBox->rayCollision(origin, direction, false, 0.0f, 3.4e38f)) return;
  ++playerCollision.diagnosticRayHits;
  worldModel->getCollidingTriangles(playerCollision.collidedBoxTriangle,
                                    playerCollision.collidedWorldTriangle);
}

}  // namespace

void markContactSide(CollisionFlags& flags, std::int32_t boxTriangle) {
  switch (collisionSideOfBoxTriangle(boxTriangle)) {
    case collisionFront: flags.front = 1; break;
    case collisionBack: flags.back = 1; break;
    case collisionLeft: flags.left = 1; break;
    case collisionRight: flags.right = 1; break;
    case collisionNone: break;
  }
}

void setWorldCollisionTransform(CollisionModel3D* worldModel) {
  giveModelViewMatrix(worldModel);
}

void testPlayerCollision(CollisionModel3D* worldModel, CollisionModel3D* playerBox,
                         CollisionModel3D* secondPlayerBox) {
  giveModelViewMatrix(playerBox);
  playerCollision.collided = playerBox->collision(worldModel, -1, 0, nullptr);
  giveModelViewMatrix(secondPlayerBox);
  traceDiagnosticRay(worldModel, playerBox);
  if (playerCollision.collided) {
    playerBox->getCollidingTriangles(playerCollision.collidedBoxTriangle,
                                     playerCollision.collidedWorldTriangle);
    markContactSide(playerCollision.flags, playerCollision.collidedBoxTriangle);
  } else {
    playerCollision.flags = CollisionFlags{};
  }
}
