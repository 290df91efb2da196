#include "shell/program_steps.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "game/game_loop.h"
#include "game/scene.h"
#include "world/level_loader.h"

namespace {
constexpr const char* introWindowTitle = "Brakmoor";

// The game's scene in each window the loop makes.
class PlayScene : public GameScene {
 public:
  PlayScene(World& world, SceneResources& scene, const ProgramOptions& options)
      : world_(world), scene_(scene), options_(options) {}
  std::int32_t setUp(Game& state) override { return setupGameScene(state, world_, scene_); }
  std::int32_t drawFrame(Game& state) override { return runFrame(state, world_, scene_); }
  void frameEnded(const Game& state) override {
    if (options_.frameEnded) options_.frameEnded(state);
  }

 private:
  World& world_;
  SceneResources& scene_;
  const ProgramOptions& options_;
};
}  // namespace

ProgramSteps::ProgramSteps(Platform& platform, ProgramOptions options)
    : platform_(platform),
      options_(std::move(options)),
      world_(createWorld()),
      scene_(createSceneResources()),
      game_(createGame()) {}

bool ProgramSteps::showStartDialog() { return platform_.chooseDisplayMode(settings_); }
bool ProgramSteps::registerIntroClass() { return platform_.registerIntroWindowClass(); }
void ProgramSteps::unregisterIntroClass() { platform_.unregisterIntroWindowClass(); }

bool ProgramSteps::createIntroWindow(std::int32_t fullScreen) {
  settings_.fullScreen = fullScreen;
  if (!platform_.createIntroWindow(introWindowTitle, settings_, keys_)) return false;
  intro_.lastTickCount = platform_.tickCount();
  return true;
}

void ProgramSteps::initIntro() {
  if (options_.playIntro) ::initIntro(platform_, intro_, &keys_);
}

void ProgramSteps::runIntroLoop(RunFlags& flags) {
  if (options_.playIntro) {
    ::runIntroLoop(platform_, intro_, flags);
  } else {
    endIntro(flags);
  }
}
bool ProgramSteps::loadLevel(const char* fileName) { return ::loadLevel(world_->level, fileName); }
void ProgramSteps::loadTextures() { ::loadTextures(scene_->textureTable); }

// A figure that cannot be loaded ends the program here, at its top: the
// reason on standard output and exit code 1.
std::int32_t ProgramSteps::runGame() {
  PlayScene scene(*world_, *scene_, options_);
  const int result = runGameLoop(*game_, *world_, platform_, settings_, scene);
  if (result == gameFigureRefused) {
    std::fputs(game_->figureLoadFailure.c_str(), stdout);
    std::fflush(stdout);
    std::exit(1);
  }
  return result;
}

void ProgramSteps::closeIntroMovie() { ::closeIntroMovie(platform_); }
void ProgramSteps::destroyIntroWindow() { platform_.destroyIntroWindow(); }

int runProgram(Platform& platform, ProgramOptions options) {
  ProgramSteps steps(platform, std::move(options));
  RunFlags flags;
  return runSequence(steps, flags);
}
