#include "game/game_loop.h"

#include <cstdlib>
#include <ctime>

#include "game/controls.h"
#include "game/game.h"
#include "game/mouse_look.h"
#include "world/world.h"
#include "game/frame_clock.h"
#include "platform/os_services.h"

namespace {

const char* const firstWindowTitle = "Brakmoor";
const char* const switchedWindowTitle = "Brakmoor - Level 1";
const char* const deathSound = "data/wav/death.wav";

// Polls the frame clock until 2 * frameBudget ms have passed since the frame
// began; the start time is kept in single precision like the frame budget.
void waitForFrameTime(const FrameClock& clock, float frameStart) {
  const double end = static_cast<double>(frameStart) + 2.0 * frameBudget;
  while (frameClockMilliseconds(clock) < end) {
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

}  // namespace

int runGameLoop(Game& state, World& world, SceneResources& scene, GamePlatform& platform,
                int width, int height, bool fullScreen, FrameFunction frame) {
  state.screenWidth = width;
  state.screenHeight = height;
  std::srand(randomSeed());
  if (!platform.createWindow(firstWindowTitle, fullScreen)) return 0;
  if (!platform.initKeyboard()) return 0;
  initFrameClock(state.clock);

  bool ending = false;
  while (!ending) {
    if (state.player.dead) {
      ending = true;
      // Synchronous: the loop stands still until the sound has played.
      osServices().playSound(deathSound, os::SoundMode::wait);
    }
    const GamePlatform::MessagePass message = platform.pumpOneMessage();
    if (message == GamePlatform::MessagePass::quit) break;
    if (message == GamePlatform::MessagePass::handled) continue;

    const float frameStart = static_cast<float>(frameClockMilliseconds(state.clock));
    if (platform.windowActive() &&
        frame(state, world, scene) == 0) {
      break;
    }
    waitForFrameTime(state.clock, frameStart);
    platform.swapBuffers();
    applyMouseLook(state.player);
    const unsigned char* keyboard = platform.readKeyboard();
    const KeyStepResult keys =
        applyKeyTable(state, world.level, keyboard, movementContextOfLastFrame(state, world));
    if (keys.endGame) ending = true;
    if (keys.switchFullScreen) {
      releaseEnemyTextures(state);
      platform.killWindow();
      fullScreen = !fullScreen;
      // The earlier keyboard device stays held; the new one replaces it.
      if (!platform.createWindow(switchedWindowTitle, fullScreen)) return 0;
      if (!platform.initKeyboard()) return 0;
    }
  }
  platform.shutdownKeyboard();
  platform.killWindow();
  return -1;
}
