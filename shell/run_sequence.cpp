#include "shell/run_sequence.h"

#include "platform/os_services.h"
#include "shell/run_flags.h"

namespace {
void showError(const char* text) {
  osServices().messageBox(text, "Error", {os::Buttons::ok, os::Icon::exclamation});
}

// Level, textures and, once per process, the game. Whatever the game's
// result, the stage then stops: nothing after the game would load the
// level again.
void runLevelStage(RunSteps& steps) {
  if (programRunning == 0) return;
  if (!steps.loadLevel(levelFileName)) {
    // The text ends in four blanks on purpose: it is the message players know.
    showError("Error Loading Level-File !!!!    ");
    steps.closeIntroMovie();
    steps.destroyIntroWindow();
  }
  steps.loadTextures();
  if (gamePending != 0) {
    steps.runGame();
    gamePending = 0;
  }
  programRunning = 0;
}
}  // namespace

int runSequence(RunSteps& steps) {
  steps.showStartDialog();
  if (!steps.registerIntroClass()) {
    showError("Error Registering Window Class!");
    return -1;
  }
  introRunning = 1;
  programRunning = 1;
  createFullScreen = steps.chosenFullScreen();

  while (introRunning != 0) {
    if (!steps.createIntroWindow(createFullScreen)) {
      showError("Error Creating OpenGL Window");
      programRunning = 0;
      break;
    }
    steps.initIntro();
    steps.runIntroLoop();
    runLevelStage(steps);
    steps.closeIntroMovie();
    steps.destroyIntroWindow();
  }
  steps.unregisterIntroClass();
  return 0;
}
