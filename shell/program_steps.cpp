#include "shell/program_steps.h"

#include "game/game.h"
#include "game/game_loop.h"
#include "game/scene.h"
#include "render/texture_table.h"
#include "world/collision_models.h"
#include "world/level_loader.h"

namespace {
constexpr const char* introWindowTitle = "Brakmoor";

// The game's scene in each window the loop makes.
class PlayScene : public GameScene {
 public:
  std::int32_t setUp(Game& state) override { return setupGameScene(state, models_); }
  std::int32_t drawFrame(Game& state) override { return runFrame(state, models_); }

 private:
  CollisionModels models_{worldCollisionModel, playerBoxModel, secondPlayerBoxModel};
};
}  // namespace

bool ProgramSteps::showStartDialog() { return platform_.chooseDisplayMode(settings_); }
bool ProgramSteps::registerIntroClass() { return platform_.registerIntroWindowClass(); }
void ProgramSteps::unregisterIntroClass() { platform_.unregisterIntroWindowClass(); }

bool ProgramSteps::createIntroWindow(std::int32_t fullScreen) {
  settings_.fullScreen = fullScreen;
  if (!platform_.createIntroWindow(introWindowTitle, settings_, keys_)) return false;
  intro_.lastTickCount = platform_.tickCount();
  return true;
}

void ProgramSteps::initIntro() { ::initIntro(platform_, intro_, &keys_); }
void ProgramSteps::runIntroLoop(RunFlags& flags) { ::runIntroLoop(platform_, intro_, flags); }
bool ProgramSteps::loadLevel(const char* fileName) { return ::loadLevel(fileName); }
void ProgramSteps::loadTextures() { ::loadTextures(); }

std::int32_t ProgramSteps::runGame() {
  PlayScene scene;
  return runGameLoop(game, platform_, settings_, scene);
}

void ProgramSteps::closeIntroMovie() { ::closeIntroMovie(platform_); }
void ProgramSteps::destroyIntroWindow() { platform_.destroyIntroWindow(); }

int runProgram(Platform& platform) {
  ProgramSteps steps(platform);
  RunFlags flags;
  return runSequence(steps, flags);
}
