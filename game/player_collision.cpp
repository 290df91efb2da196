#include "game/player_collision.h"

#include "coldet/coldet.h"
#include "render/gl_api.h"
#include "world/collision_models.h"

namespace {

void giveModelViewMatrix(CollisionModel3D* model) {
  float matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  model->setTransform(matrix);
}

// A ray from enemy 0 against the player box, kept as a debugging aid. It
// only counts its hits: stopping the game with message boxes in every frame
// it hits would freeze the player whenever enemy 0 comes close.
void traceDiagnosticRay(PlayerCollision& collision, const CollisionModels& models,
                        float enemyX, float enemyZ) {
  const float origin[3] = {enemyX, 0.12f, enemyZ};
  const float direction[3] = {0.0f, 0.0f, 1.0f};
  if (!models.playerBox->rayCollision(origin, direction, false, 0.0f, 3.4e38f)) return;
  ++collision.diagnosticRayHits;
  models.world->getCollidingTriangles(collision.collidedBoxTriangle,
                                      collision.collidedWorldTriangle);
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

void setWorldCollisionTransform(const CollisionModels& models) {
  giveModelViewMatrix(models.world);
}

void testPlayerCollision(PlayerCollision& collision, const CollisionModels& models,
                         float enemyX, float enemyZ) {
  giveModelViewMatrix(models.playerBox);
  collision.collided = models.playerBox->collision(models.world, -1, 0, nullptr);
  giveModelViewMatrix(models.secondPlayerBox);
  traceDiagnosticRay(collision, models, enemyX, enemyZ);
  if (collision.collided) {
    models.playerBox->getCollidingTriangles(collision.collidedBoxTriangle,
                                            collision.collidedWorldTriangle);
    markContactSide(collision.flags, collision.collidedBoxTriangle);
  } else {
    collision.flags = CollisionFlags{};
  }
}
