#include "game/controls.h"

#include "game/key_codes.h"
#include "game/weapons.h"

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
  if (pressedOnce(keyboard, scanCode::b, latch.blend)) invert(flags.blendMode);
  if (pressedOnce(keyboard, scanCode::f, latch.fps)) invert(flags.showFps);
  if (pressedOnce(keyboard, scanCode::c, latch.collision)) invert(flags.collisionEnabled);
  if (pressedOnce(keyboard, scanCode::d, latch.debug)) invert(flags.showCollisionDebug);
  if (isKeyDown(keyboard, scanCode::digit1)) selectRifle(state.player);
  if (isKeyDown(keyboard, scanCode::digit2)) selectLaser(state.player);
  if (pressedOnce(keyboard, scanCode::h, latch.crosshair)) invert(flags.crosshairVisible);
  if (pressedOnce(keyboard, scanCode::m, latch.enemyWalk)) invert(state.enemies[0].alive);
  if (pressedOnce(keyboard, scanCode::w, latch.lineMode)) invert(flags.lineMode);
  if (pressedOnce(keyboard, scanCode::s, latch.textureEnv)) invert(flags.textureEnvBlend);
  result.switchFullScreen = pressedOnce(keyboard, scanCode::f1, latch.fullScreen);
  if (isKeyDown(keyboard, scanCode::rightControl)) pullTrigger(state, level);
  return result;
}
