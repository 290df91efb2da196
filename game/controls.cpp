#include "game/controls.h"

#include "game/enemy_table.h"
#include "game/firing.h"
#include "game/key_codes.h"
#include "render/gl_api.h"

SwitchLatches switchLatches;

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

void toggleBlendMode() {
  gameFlags.blendMode = !gameFlags.blendMode;
  // Additive blending hides nothing behind, so the depth test goes off with
  // it; the next text print turns it on again.
  if (gameFlags.blendMode) {
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
  } else {
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
  }
}

void toggleLineMode() {
  gameFlags.lineMode = !gameFlags.lineMode;
  glPolygonMode(GL_FRONT_AND_BACK, gameFlags.lineMode ? GL_LINE : GL_FILL);
}

void toggleTextureEnvironment() {
  gameFlags.textureEnvBlend = !gameFlags.textureEnvBlend;
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE,
            static_cast<float>(gameFlags.textureEnvBlend ? GL_BLEND : GL_DECAL));
}

void selectRifle() {
  playerState.rifleSelected = true;
  playerState.laserSelected = false;
  playerState.shownAmmo = playerState.rifleAmmo;
}

void selectLaser() {
  playerState.laserSelected = true;
  playerState.rifleSelected = false;
  playerState.shownAmmo = playerState.laserAmmo;
}

void applyMovementKeys(const unsigned char* keyboard, const MovementContext& movement) {
  if (isKeyDown(keyboard, scanCode::up)) walkForward(playerState, movement);
  if (isKeyDown(keyboard, scanCode::down)) walkBackward(playerState, movement);
  if (isKeyDown(keyboard, scanCode::left)) stepLeft(playerState, movement);
  if (isKeyDown(keyboard, scanCode::right)) stepRight(playerState, movement);
}

}  // namespace

KeyStepResult applyKeyTable(const unsigned char* keyboard,
                            const MovementContext& movement) {
  KeyStepResult result;
  SwitchLatches& latch = switchLatches;
  result.endGame = isKeyDown(keyboard, scanCode::escape);
  applyMovementKeys(keyboard, movement);
  if (pressedOnce(keyboard, scanCode::b, latch.blend)) toggleBlendMode();
  if (pressedOnce(keyboard, scanCode::f, latch.fps)) gameFlags.showFps = !gameFlags.showFps;
  if (pressedOnce(keyboard, scanCode::c, latch.collision)) {
    gameFlags.collisionEnabled = !gameFlags.collisionEnabled;
  }
  if (pressedOnce(keyboard, scanCode::d, latch.debug)) {
    gameFlags.showCollisionDebug = !gameFlags.showCollisionDebug;
  }
  if (isKeyDown(keyboard, scanCode::digit1)) selectRifle();
  if (isKeyDown(keyboard, scanCode::digit2)) selectLaser();
  if (pressedOnce(keyboard, scanCode::h, latch.crosshair)) {
    gameFlags.crosshairVisible = !gameFlags.crosshairVisible;
  }
  if (pressedOnce(keyboard, scanCode::m, latch.enemyWalk)) {
    enemyTable.alive[0] = !enemyTable.alive[0];
  }
  if (pressedOnce(keyboard, scanCode::w, latch.lineMode)) toggleLineMode();
  if (pressedOnce(keyboard, scanCode::s, latch.textureEnv)) toggleTextureEnvironment();
  result.switchFullScreen = pressedOnce(keyboard, scanCode::f1, latch.fullScreen);
  if (isKeyDown(keyboard, scanCode::rightControl)) pullTrigger();
  return result;
}
