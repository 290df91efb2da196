// The Win32 side of the game loop: window messages, buffer swaps and the
// keyboard device. Everything the loop decides is in game/game_loop.cpp.
#include "shell/run_game_win32.h"

#include "game/game.h"
#include "game/game_loop.h"
#include "game/scene.h"
#include "shell/game_window_win32.h"
#include "shell/keyboard_win32.h"

namespace {

class Win32GamePlatform : public GamePlatform {
 public:
  Win32GamePlatform(int width, int height, int bitsPerPixel, HINSTANCE instance,
                    const CollisionModels& models)
      : width_(width),
        height_(height),
        bitsPerPixel_(bitsPerPixel),
        instance_(instance),
        models_(models) {}

  int createWindow(const char* title, bool fullScreen) override {
    return createGameWindow(title, width_, height_, bitsPerPixel_, fullScreen, models_.world,
                            models_.playerBox, models_.secondPlayerBox);
  }
  void killWindow() override { killGameWindow(); }
  int initKeyboard() override { return ::initKeyboard(instance_); }
  void shutdownKeyboard() override { ::shutdownKeyboard(); }

  MessagePass pumpOneMessage() override {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return MessagePass::none;
    if (message.message == WM_QUIT) return MessagePass::quit;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return MessagePass::handled;
  }

  bool windowActive() override { return gameWindowActive != 0; }
  void swapBuffers() override { SwapBuffers(gameDeviceContext); }
  const unsigned char* readKeyboard() override {
    readKeyboardState();
    return keyboardState;
  }

 private:
  int width_;
  int height_;
  int bitsPerPixel_;
  HINSTANCE instance_;
  CollisionModels models_;
};

}  // namespace

std::int32_t runGame(int width, int height, int bitsPerPixel, bool fullScreen, HINSTANCE instance,
                     CollisionModel3D* worldModel, CollisionModel3D* playerBox,
                     CollisionModel3D* secondPlayerBox) {
  const CollisionModels models{worldModel, playerBox, secondPlayerBox};
  Win32GamePlatform platform(width, height, bitsPerPixel, instance, models);
  return runGameLoop(game, platform, width, height, fullScreen, models, runFrame);
}
