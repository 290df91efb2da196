// The program on Windows: the intro window record, the requests the intro
// sends to its window, and the run sequence's steps carried out with the
// intro window, the intro player, the level, the textures and the game.
#include <windows.h>

#include "game/game_loop.h"
#include "intro/intro_player.h"
#include "render/texture_table.h"
#include "shell/intro_window.h"
#include "shell/os_services.h"
#include "shell/run_sequence.h"
#include "shell/start_dialog.h"
#include "world/collision_models.h"
#include "world/level.h"

IntroWindow introWindow = {};

void terminateProgram(IntroWindow* window) {
  PostMessageA(window->window, WM_QUIT, 0, 0);
  programRunning = 0;
}

void requestFullscreenToggle(IntroWindow* window) {
  PostMessageA(window->window, fullscreenToggleMessage, 0, 0);
}

namespace {

class WindowsRunSteps : public RunSteps {
 public:
  explicit WindowsRunSteps(IntroWindow& window) : window_(window) {}

  void showStartDialog() override { ::showStartDialog(&window_); }
  std::int32_t chosenFullScreen() override { return window_.settings.fullScreen; }
  int registerIntroClass() override {
    return registerIntroWindowClass(window_.settings.application);
  }
  void unregisterIntroClass() override {
    const AppInstance* application = window_.settings.application;
    UnregisterClassA(application->className, application->instance);
  }
  int createIntroWindow(std::int32_t fullScreen) override {
    window_.settings.fullScreen = fullScreen;
    return ::createIntroWindow(&window_);
  }
  void initIntro() override { ::initIntro(&window_, window_.keys); }
  void runIntroLoop() override {
    while (introRunning == 1) {
      MSG message;
      if (PeekMessageA(&message, window_.window, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) break;
        DispatchMessageA(&message);
      } else if (window_.visible == 0) {
        WaitMessage();
      } else {
        std::uint32_t now = osServices().tickCount();
        updateIntro(now - window_.lastTickCount);
        window_.lastTickCount = now;
        drawIntro();
        SwapBuffers(window_.deviceContext);
      }
    }
  }
  bool loadLevel(const char* fileName) override { return ::loadLevel(fileName); }
  void loadTextures() override { ::loadTextures(); }
  int runGame() override {
    const WindowSettings& settings = window_.settings;
    return ::runGame(settings.width, settings.height, settings.bitsPerPixel,
                     static_cast<unsigned char>(settings.fullScreen),
                     settings.application->instance, worldCollisionModel,
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
