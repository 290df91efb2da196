#include "shell/run_sequence.h"

#include "platform/platform.h"
#include "shell/run_flags.h"

namespace {
void showError(const char* text) {
  osServices().messageBox(text, "Error", {os::Buttons::ok, os::Icon::exclamation});
}

// Level, textures and, once per process, the game. Whatever the game's
// result, the stage then stops: nothing after the game would load the
// level again.
void runLevelStage(RunSteps& steps, RunFlags& flags) {
  if (flags.programRunning == 0) return;
  if (!steps.loadLevel(levelFileName)) {
    // The text ends in four blanks on purpose: it is the message players know.
    showError("Error Loading Level-File !!!!    ");
    steps.closeIntroMovie();
    steps.destroyIntroWindow();
  }
  steps.loadTextures();
  if (flags.gamePending != 0) {
    steps.runGame();
    flags.gamePending = 0;
  }
  flags.programRunning = 0;
}
}  // namespace

int runSequence(RunSteps& steps, RunFlags& flags) {
  if (!steps.showStartDialog()) return 0;
  if (!steps.registerIntroClass()) {
    showError("Error Registering Window Class!");
    return -1;
  }
  flags.introRunning = 1;
  flags.programRunning = 1;
  flags.createFullScreen = steps.chosenFullScreen();

  while (flags.introRunning != 0) {
    if (!steps.createIntroWindow(flags.createFullScreen)) {
      showError("Error Creating OpenGL Window");
      flags.programRunning = 0;
      break;
    }
    steps.initIntro();
    steps.runIntroLoop(flags);
    runLevelStage(steps, flags);
    steps.closeIntroMovie();
    steps.destroyIntroWindow();
  }
  steps.unregisterIntroClass();
  return 0;
}
