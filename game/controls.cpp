#include "game/controls.h"

#include "game/key_codes.h"
#include "game/weapons.h"
#include "render/gl_api.h"

namespace {

// True once per press: when the key is down and its latch was clear.
bool pressedOnce(const unsigned char* keyboard, std::uint8_t code, bool& latch) {
  if (!isKeyDown(keyboard, code)) {
    latch = false;
    return false;
  }
  if (latch) return false;
  latch = true;
  return true;
}

void toggleBlendMode(GameFlags& flags) {
  flags.blendMode = !flags.blendMode;
  // Additive blending hides nothing behind, so the depth test goes off with
  // it; the next text print turns it on again.
  if (flags.blendMode) {
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
  } else {
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
  }
}

void toggleLineMode(GameFlags& flags) {
  flags.lineMode = !flags.lineMode;
  glPolygonMode(GL_FRONT_AND_BACK, flags.lineMode ? GL_LINE : GL_FILL);
}

void toggleTextureEnvironment(GameFlags& flags) {
  flags.textureEnvBlend = !flags.textureEnvBlend;
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE,
            static_cast<float>(flags.textureEnvBlend ? GL_BLEND : GL_DECAL));
}

void selectRifle(PlayerState& player) {
  player.rifleSelected = true;
  player.laserSelected = false;
  player.shownAmmo = player.rifleAmmo;
}

void selectLaser(PlayerState& player) {
  player.laserSelected = true;
  player.rifleSelected = false;
  player.shownAmmo = player.laserAmmo;
}

void applyMovementKeys(PlayerState& player, const unsigned char* keyboard,
                       const MovementContext& movement) {
  if (isKeyDown(keyboard, scanCode::up)) walkForward(player, movement);
  if (isKeyDown(keyboard, scanCode::down)) walkBackward(player, movement);
  if (isKeyDown(keyboard, scanCode::left)) stepLeft(player, movement);
  if (isKeyDown(keyboard, scanCode::right)) stepRight(player, movement);
}

void invert(bool& flag) { flag = !flag; }

}  // namespace

KeyStepResult applyKeyTable(Game& state, const LevelData& level, const unsigned char* keyboard,
                            const MovementContext& movement) {
  KeyStepResult result;
  SwitchLatches& latch = state.latches;
  GameFlags& flags = state.flags;
  result.endGame = isKeyDown(keyboard, scanCode::escape);
  applyMovementKeys(state.player, keyboard, movement);
  if (pressedOnce(keyboard, scanCode::b, latch.blend)) toggleBlendMode(flags);
  if (pressedOnce(keyboard, scanCode::f, latch.fps)) invert(flags.showFps);
  if (pressedOnce(keyboard, scanCode::c, latch.collision)) invert(flags.collisionEnabled);
  if (pressedOnce(keyboard, scanCode::d, latch.debug)) invert(flags.showCollisionDebug);
  if (isKeyDown(keyboard, scanCode::digit1)) selectRifle(state.player);
  if (isKeyDown(keyboard, scanCode::digit2)) selectLaser(state.player);
  if (pressedOnce(keyboard, scanCode::h, latch.crosshair)) invert(flags.crosshairVisible);
  if (pressedOnce(keyboard, scanCode::m, latch.enemyWalk)) invert(state.enemies[0].alive);
  if (pressedOnce(keyboard, scanCode::w, latch.lineMode)) toggleLineMode(flags);
  if (pressedOnce(keyboard, scanCode::s, latch.textureEnv)) toggleTextureEnvironment(flags);
  result.switchFullScreen = pressedOnce(keyboard, scanCode::f1, latch.fullScreen);
  if (isKeyDown(keyboard, scanCode::rightControl)) pullTrigger(state, level);
  return result;
}
