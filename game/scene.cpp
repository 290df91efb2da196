#include "game/scene.h"

#include "game/camera.h"
#include "game/collision_overlay.h"
#include "game/game_state.h"
#include "game/player_collision.h"
#include "game/scene_fonts.h"
#include "game/scene_state.h"
#include "game/world_pass.h"
#include "render/gl_api.h"
#include "render/texture_table.h"
#include "world/level.h"
#include "world/world_geometry.h"

namespace {

// Eye space as the weapon picture and the player box use it: unrotated, a
// quarter unit in front of the eye, so the box turns and tilts with the view.
void placeInFrontOfEye() {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -0.25f);
}

}  // namespace

std::int32_t setupGameScene(CollisionModel3D* worldModel, CollisionModel3D* playerBox,
                            CollisionModel3D* secondPlayerBox) {
  if (!loadTextures()) return 0;
  setGameRenderState();
  buildGameFonts();
  buildWorld(worldModel, playerBox, secondPlayerBox);
  // The enemies are created here once they walk the maze.
  return 1;
}

std::int32_t runFrame(CollisionModel3D* worldModel, CollisionModel3D* playerBox,
                      CollisionModel3D* secondPlayerBox) {
  placeCamera(playerState, levelData.startX, levelData.startY);
  // The enemies walk, are drawn and fire here, under the camera matrix.
  drawWorldTriangles();
  // Shot sparks are drawn here; they leave the camera matrix in force.
  setWorldCollisionTransform(worldModel);
  // The heads-up display and the weapon picture are drawn here; the weapon
  // is placed in front of the eye like the player box.
  placeInFrontOfEye();
  testPlayerCollision(worldModel, playerBox, secondPlayerBox);
  // The frame-rate text or the frame limiter runs here.
  drawCollisionOverlay();
  return 1;
}
