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
#include "render/scene_resources.h"
#include "world/world.h"

std::int32_t setupGameScene(Game& state, World& world, SceneResources& scene) {
  if (!loadTextures(scene.textureTable)) return sceneTexturesMissing;
  setGameRenderState();
  // A new context has OpenGL's defaults: the switches are applied afresh.
  state.appliedSwitches = AppliedDrawingSwitches{};
  buildGameFonts(scene, state.screenWidth, state.screenHeight);
  buildWorld(world);
  state.figureLoadFailure = createEnemies(state, world.level);
  return state.figureLoadFailure.empty() ? sceneReady : sceneFigureRefused;
}

std::int32_t runFrame(Game& state, World& world, SceneResources& scene) {
  const LevelData& level = world.level;
  applyDrawingState(state.flags, state.appliedSwitches);
  placeCamera(state.player, level.startX, level.startY);
  moveAndDrawEnemies(state, level);
  enemiesFire(state);
  drawWorldTriangles(state.worldPass, world, scene.textureTable);
  // The sparks leave the camera matrix in force for the collision transform.
  runShotSparks(state.sparks, state.flags.shotTriggered, state.impact, state.player,
                scene.textureTable, state.random);
  setWorldCollisionTransform(world.models);
  drawHudTexts(state, scene);
  drawWeaponLogoAndCrosshair(state, scene);
  const Enemy& first = state.enemies[0];
  testPlayerCollision(state.collision, world.models, first.posX, first.posZ);
  showFrameRateText(state, scene);
  drawCollisionOverlay(state, scene);
  return 1;
}
