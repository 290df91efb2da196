#include "game/game_loop.h"

#include <cstdlib>
#include <ctime>

#include "game/controls.h"
#include "game/game_state.h"
#include "game/mouse_look.h"
#include "platform/frame_clock.h"
#include "platform/os_services.h"

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

}  // namespace

int runGameLoop(GamePlatform& platform, int width, int height, bool fullScreen,
                const GameModels& models, FrameFunction frame) {
  screenWidth = width;
  screenHeight = height;
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  if (!platform.createWindow(firstWindowTitle, fullScreen)) return 0;
  if (!platform.initKeyboard()) return 0;
  initFrameClock();

  bool ending = false;
  while (!ending) {
    if (playerState.dead) {
      ending = true;
      // Synchronous: the loop stands still until the sound has played.
      osServices().playSound(deathSound, os::SoundMode::wait);
    }
    const GamePlatform::MessagePass message = platform.pumpOneMessage();
    if (message == GamePlatform::MessagePass::quit) break;
    if (message == GamePlatform::MessagePass::handled) continue;

    const float frameStart = static_cast<float>(frameClockMilliseconds());
    if (platform.windowActive() &&
        frame(models.world, models.playerBox, models.secondPlayerBox) == 0) {
      break;
    }
    waitForFrameTime(frameStart);
    platform.swapBuffers();
    applyMouseLook(playerState);
    const unsigned char* keyboard = platform.readKeyboard();
    const KeyStepResult keys = applyKeyTable(keyboard, movementContextOfLastFrame());
    if (keys.endGame) ending = true;
    if (keys.switchFullScreen) {
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
