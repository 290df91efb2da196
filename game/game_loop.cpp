#include "game/game_loop.h"

#include "game/controls.h"
#include "game/game.h"
#include "game/mouse_look.h"
#include "game/scene.h"
#include "world/world.h"

namespace {

const char* const firstWindowTitle = "Brakmoor";
const char* const switchedWindowTitle = "Brakmoor - Level 1";
const char* const deathSound = "data/wav/death.wav";

// The figures' textures live in the window's context: they are deleted
// while it is still current, before a full-screen switch destroys it.
void releaseEnemyTextures(Game& state) {
  for (Enemy& enemy : state.enemies) enemy.model.releaseTextures();
}

// A fresh window gets its scene; a scene that cannot be set up closes the
// window again and says so. A refused figure ends the program at once.
int openGameWindow(Game& state, Platform& platform, const WindowSettings& settings,
                   GameScene& scene, const char* title) {
  if (!platform.createGameWindow(title, settings)) return gameNotStarted;
  const std::int32_t setUp = scene.setUp(state);
  if (setUp == sceneFigureRefused) return gameFigureRefused;
  if (setUp != sceneReady) {
    platform.destroyGameWindow();
    platform.messageBox("Initialization Failed.", "ERROR",
                        {os::Buttons::ok, os::Icon::exclamation});
    return gameNotStarted;
  }
  return platform.initKeyboard() ? gameEnded : gameNotStarted;
}

}  // namespace

int runGameLoop(Game& state, const World& world, Platform& platform,
                const WindowSettings& chosen, GameScene& scene) {
  WindowSettings settings = chosen;
  state.screenWidth = settings.width;
  state.screenHeight = settings.height;
  seedRandom(state.random, platform.randomSeed());
  int opened = openGameWindow(state, platform, settings, scene, firstWindowTitle);
  if (opened != gameEnded) return opened;
  initFrameClock(state.clock);

  bool ending = false;
  while (!ending) {
    if (state.player.dead) {
      ending = true;
      // Synchronous: the loop stands still until the sound has played.
      platform.playSound(deathSound, os::SoundMode::wait);
    }
    const os::WindowEvent message = platform.pumpGameMessage();
    if (message == os::WindowEvent::quit) break;
    if (message != os::WindowEvent::none) continue;

    const float frameStart = static_cast<float>(frameClockMilliseconds(state.clock));
    const bool drawn = platform.gameWindowActive();
    if (drawn && scene.drawFrame(state) == 0) break;
    paceFrame(state.pacing, state.clock, drawn && !state.flags.showFps, frameStart);
    platform.swapGameBuffers();
    applyMouseLook(state.player);
    const unsigned char* keyboard = platform.readKeyboard();
    const KeyStepResult keys =
        applyKeyTable(state, world.level, keyboard, movementContextOfLastFrame(state, world));
    if (keys.endGame) ending = true;
    scene.frameEnded(state);
    if (keys.switchFullScreen) {
      releaseEnemyTextures(state);
      platform.destroyGameWindow();
      settings.fullScreen = settings.fullScreen != 0 ? 0 : 1;
      // The earlier keyboard device is replaced by the new one.
      opened = openGameWindow(state, platform, settings, scene, switchedWindowTitle);
      if (opened != gameEnded) return opened;
    }
  }
  platform.shutdownKeyboard();
  platform.destroyGameWindow();
  return gameEnded;
}
