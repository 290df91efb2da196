#include "shell/run_sequence.h"

#include "shell/os_services.h"
#include "shell/run_flags.h"

namespace {
void showError(const char* text) {
  osServices().messageBox(nullptr, text, "Error",
                          os::boxOk | os::boxIconExclamation);
}

// Level, textures and (once per process) the game, repeated until
// programRunning is cleared.
void runLevelStage(RunSteps& steps) {
  while (programRunning != 0) {
    if (!steps.loadLevel(levelFileName)) {
      // The text ends in four blanks on purpose: it is the message players know.
      showError("Error Loading Level-File !!!!    ");
      steps.closeIntroMovie();
      steps.destroyIntroWindow();
    }
    steps.loadTextures();
    if (gamePending != 0) {
      int result = steps.runGame();
      if (result == -1 || result == 0) programRunning = 0;
      gamePending = 0;
    } else {
      // The game has run; nothing else can clear the flag, so stop here
      // rather than reload the level forever.
      programRunning = 0;
    }
  }
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
    if (steps.createIntroWindow(createFullScreen) != 1) {
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
