#pragma once
// The order in which the program runs: start dialog, intro cycles, level,
// textures and the game, steered by the run flags (shell/run_flags.h). The
// steps are supplied by RunSteps, so the order and the flags can be checked
// with scripted steps; the program's own steps are in shell/program_steps.h.

#include <cstdint>

#include "shell/run_flags.h"

class RunSteps {
 public:
  virtual ~RunSteps() = default;
  // Waits for the player's choice of display mode; false when the player
  // cancelled.
  virtual bool showStartDialog() = 0;
  // The screen mode chosen in the dialog.
  virtual std::int32_t chosenFullScreen() = 0;
  // False when it failed (the failure has shown its own message).
  virtual bool registerIntroClass() = 0;
  virtual void unregisterIntroClass() = 0;
  // Creates the intro window in the given screen mode; true on success.
  virtual bool createIntroWindow(std::int32_t fullScreen) = 0;
  virtual void initIntro() = 0;
  // Pumps the intro window's messages and plays the intro while
  // introRunning equals 1, until then or until the quit message.
  virtual void runIntroLoop(RunFlags& flags) = 0;
  virtual bool loadLevel(const char* fileName) = 0;
  virtual void loadTextures() = 0;
  // -1 after a normal end of the game, 0 when the game did not start.
  virtual std::int32_t runGame() = 0;
  // Both are safe to call again.
  virtual void closeIntroMovie() = 0;
  virtual void destroyIntroWindow() = 0;
};

constexpr const char* levelFileName = "data/LEVEL/level1.dat";

// Runs the whole program and returns its exit code: 0 after a normal run or
// a cancelled start dialog, -1 when the intro window class cannot be
// registered. Errors are reported through the platform's message box.
int runSequence(RunSteps& steps, RunFlags& flags);
