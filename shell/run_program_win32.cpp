// The program on Windows: the run sequence's steps carried out with the
// intro window, the intro player, the level, the textures and the game.
#include "shell/run_program_win32.h"

#include "intro/intro_player.h"
#include "render/texture_table.h"
#include "shell/intro_window_win32.h"
#include "shell/run_game_win32.h"
#include "shell/run_sequence.h"
#include "shell/start_dialog_win32.h"
#include "world/collision_models.h"
#include "world/level_loader.h"

namespace {

class WindowsRunSteps : public RunSteps {
 public:
  explicit WindowsRunSteps(IntroWindow& window) : window_(window) {}

  void showStartDialog() override { ::showStartDialog(&window_); }
  std::int32_t chosenFullScreen() override { return window_.settings.fullScreen; }
  bool registerIntroClass() override {
    return registerIntroWindowClass(window_.settings.application) != 0;
  }
  void unregisterIntroClass() override {
    const AppInstance* application = window_.settings.application;
    UnregisterClassA(application->className, application->instance);
  }
  bool createIntroWindow(std::int32_t fullScreen) override {
    window_.settings.fullScreen = fullScreen;
    return ::createIntroWindow(&window_) == 1;
  }
  void initIntro() override { ::initIntro(window_.keys); }
  void runIntroLoop() override { ::runIntroLoop(&window_); }
  bool loadLevel(const char* fileName) override { return ::loadLevel(fileName); }
  void loadTextures() override { ::loadTextures(); }
  std::int32_t runGame() override {
    const WindowSettings& settings = window_.settings;
    return ::runGame(settings.width, settings.height, settings.bitsPerPixel,
                     settings.fullScreen != 0, settings.application->instance, worldCollisionModel,
                     playerBoxModel, secondPlayerBoxModel);
  }
  void closeIntroMovie() override { ::closeIntroMovie(); }
  void destroyIntroWindow() override { ::destroyIntroWindow(&window_); }

 private:
  IntroWindow& window_;
};

}  // namespace

int runProgram(HINSTANCE instance) {
  KeyDownArray keys = {};
  AppInstance application = {instance, "BrakmoorIntro"};
  introWindow = IntroWindow{};
  introWindow.keys = &keys;
  introWindow.settings.application = &application;
  introWindow.settings.title = "Brakmoor";
  introWindow.settings.width = 1280;
  introWindow.settings.height = 1024;
  introWindow.settings.bitsPerPixel = 32;
  introWindow.settings.fullScreen = 1;

  WindowsRunSteps steps(introWindow);
  return runSequence(steps);
}
