#include "game/scene.h"

#include "game/camera.h"
#include "game/collision_overlay.h"
#include "game/enemies.h"
#include "game/game.h"
#include "game/hud.h"
#include "game/player_collision.h"
#include "game/scene_fonts.h"
#include "game/scene_state.h"
#include "game/world_pass.h"
#include "render/texture_table.h"
#include "world/level.h"
#include "world/world_geometry.h"

std::int32_t setupGameScene(Game& state, const CollisionModels& models) {
  if (!loadTextures()) return 0;
  setGameRenderState();
  buildGameFonts(state.screenWidth, state.screenHeight);
  buildWorld(models.world, models.playerBox, models.secondPlayerBox);
  createEnemies(state, levelData);
  return 1;
}

std::int32_t setupGameScene(CollisionModel3D* worldModel, CollisionModel3D* playerBox,
                            CollisionModel3D* secondPlayerBox) {
  return setupGameScene(game, CollisionModels{worldModel, playerBox, secondPlayerBox});
}

std::int32_t runFrame(Game& state, const CollisionModels& models) {
  placeCamera(state.player, levelData.startX, levelData.startY);
  moveAndDrawEnemies(state, levelData);
  enemiesFire(state);
  drawWorldTriangles();
  // The sparks leave the camera matrix in force for the collision transform.
  runShotSparks(state.sparks, state.flags.shotTriggered, state.impact, state.player);
  setWorldCollisionTransform(models);
  drawHudTexts(state);
  drawWeaponLogoAndCrosshair(state);
  const Enemy& first = state.enemies[0];
  testPlayerCollision(state.collision, models, first.posX, first.posZ);
  showFrameRateOrLimit(state);
  drawCollisionOverlay(state);
  return 1;
}
