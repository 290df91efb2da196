#pragma once
// The run sequence's steps as the program carries them out on a platform:
// the start dialog, the intro window with the movie player, the level, the
// textures and the game.

#include <functional>
#include <memory>

#include "game/game.h"
#include "platform/platform.h"
#include "render/scene_resources.h"
#include "shell/intro_player.h"
#include "world/world.h"
#include "shell/run_sequence.h"

struct ProgramOptions {
  // Demo playback starts the game at once, without the intro movie.
  bool playIntro = true;
  // Called after each frame of the game (a demo compares or keeps it).
  std::function<void(const Game&)> frameEnded;
};

// The program's records are built here, once, and passed by reference to
// everything that runs.
class ProgramSteps : public RunSteps {
 public:
  explicit ProgramSteps(Platform& platform, ProgramOptions options = {});

  bool showStartDialog() override;
  std::int32_t chosenFullScreen() override { return settings_.fullScreen; }
  bool registerIntroClass() override;
  void unregisterIntroClass() override;
  bool createIntroWindow(std::int32_t fullScreen) override;
  void initIntro() override;
  void runIntroLoop(RunFlags& flags) override;
  bool loadLevel(const char* fileName) override;
  void loadTextures() override;
  std::int32_t runGame() override;
  void closeIntroMovie() override;
  void destroyIntroWindow() override;

 private:
  Platform& platform_;
  ProgramOptions options_;
  WindowSettings settings_;
  KeyDownArray keys_ = {};
  IntroPlayer intro_;
  std::unique_ptr<World> world_;
  std::unique_ptr<SceneResources> scene_;
  std::unique_ptr<Game> game_;
};

// Runs the whole program on `platform` and returns its exit code.
int runProgram(Platform& platform, ProgramOptions options = {});
