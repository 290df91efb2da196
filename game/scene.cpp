#include "game/scene.h"

#include "game/camera.h"
#include "game/game_state.h"
#include "game/player_collision.h"
#include "game/scene_state.h"
#include "render/gl_api.h"
#include "world/level.h"

std::int32_t setupGameScene(CollisionModel3D* worldModel, CollisionModel3D* playerBox,
                            CollisionModel3D* secondPlayerBox) {
  setGameRenderState();
  return 1;
}

std::int32_t runFrame(CollisionModel3D* worldModel, CollisionModel3D* playerBox,
                      CollisionModel3D* secondPlayerBox) {
  placeCamera(playerState, levelData.startX, levelData.startY);
  setWorldCollisionTransform(worldModel);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -0.25f);
  testPlayerCollision(worldModel, playerBox, secondPlayerBox);
  return 1;
}
