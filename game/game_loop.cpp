#include "game/game_loop.h"

#include <cstdlib>
#include <ctime>

#include "game/controls.h"
#include "game/game.h"
#include "game/mouse_look.h"
#include "platform/frame_clock.h"

namespace {

const char* const firstWindowTitle = "Brakmoor";
const char* const switchedWindowTitle = "Brakmoor - Level 1";
const char* const deathSound = "data/wav/death.wav";

// Polls the frame clock until 2 * frameBudget ms have passed since the frame
// began; the start time is kept in single precision like the frame budget.
void waitForFrameTime(float frameStart) {
  const double end = static_cast<double>(frameStart) + 2.0 * frameBudget;
  while (frameClockMilliseconds() < end) {
  }
}

// Random choices are seeded from the calendar time. BRAKMOOR_SEED, when set,
// fixes the seed so a test run can replay the same enemies.
unsigned randomSeed() {
  const char* fixed = std::getenv("BRAKMOOR_SEED");
  if (fixed != nullptr && *fixed != '\0') return static_cast<unsigned>(std::strtoul(fixed, nullptr, 10));
  return static_cast<unsigned>(std::time(nullptr));
}

// The figures' textures live in the window's context: they are deleted
// while it is still current, before a full-screen switch destroys it.
void releaseEnemyTextures(Game& state) {
  for (Enemy& enemy : state.enemies) enemy.model.releaseTextures();
}

// A fresh window gets its scene; a scene that cannot be set up closes the
// window again and says so.
bool openGameWindow(Game& state, Platform& platform, WindowSettings& settings,
                    GameScene& scene, const char* title) {
  if (!platform.createGameWindow(title, settings)) return false;
  if (scene.setUp(state) == 0) {
    platform.destroyGameWindow();
    platform.messageBox("Initialization Failed.", "ERROR",
                        {os::Buttons::ok, os::Icon::exclamation});
    return false;
  }
  return platform.initKeyboard();
}

}  // namespace

int runGameLoop(Game& state, Platform& platform, const WindowSettings& chosen,
                GameScene& scene) {
  WindowSettings settings = chosen;
  state.screenWidth = settings.width;
  state.screenHeight = settings.height;
  std::srand(randomSeed());
  if (!openGameWindow(state, platform, settings, scene, firstWindowTitle)) return 0;
  initFrameClock();

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

    const float frameStart = static_cast<float>(frameClockMilliseconds());
    if (platform.gameWindowActive() && scene.drawFrame(state) == 0) break;
    waitForFrameTime(frameStart);
    platform.swapGameBuffers();
    applyMouseLook(state.player);
    const unsigned char* keyboard = platform.readKeyboard();
    const KeyStepResult keys = applyKeyTable(state, keyboard, movementContextOfLastFrame(state));
    if (keys.endGame) ending = true;
    if (keys.switchFullScreen) {
      releaseEnemyTextures(state);
      platform.destroyGameWindow();
      settings.fullScreen = settings.fullScreen != 0 ? 0 : 1;
      // The earlier keyboard device is replaced by the new one.
      if (!openGameWindow(state, platform, settings, scene, switchedWindowTitle)) return 0;
    }
  }
  platform.shutdownKeyboard();
  platform.destroyGameWindow();
  return -1;
}
