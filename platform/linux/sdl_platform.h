#pragma once
// The Linux platform: every service of the platform seam carried out with
// SDL 2 (windows, OpenGL contexts, input, clocks, message boxes), SDL_mixer
// (sounds), the portable BMP reader, and the GTK start dialog and the FFmpeg
// movie reader. File names go through the case-insensitive lookup
// (file_names.h). SDL's video subsystem is started by the program entry.

#include <SDL.h>

#include "platform/linux/movie_file.h"
#include "platform/linux/sdl_sound.h"
#include "platform/platform.h"

// A window with its OpenGL context.
struct GlWindow {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  Uint32 id = 0;
};

class SdlPlatform final : public Platform {
 public:
  ~SdlPlatform() override;

  void playSound(const char* fileName, os::SoundMode mode) override;
  os::Answer messageBox(const char* text, const char* caption, os::BoxStyle style) override;
  os::CursorPosition cursorPosition() override;
  void setCursorPosition(int x, int y) override;
  void sleepMilliseconds(unsigned milliseconds) override { SDL_Delay(milliseconds); }
  std::uint32_t tickCount() override { return SDL_GetTicks(); }
  std::uint32_t multimediaTime() override { return SDL_GetTicks(); }
  bool performanceFrequency(std::int64_t* countsPerSecond) override;
  std::int64_t performanceCounter() override;

  std::string resolveFileName(const char* name) override;
  BitmapImage* readBmpFile(const char* fileName) override;
  bool chooseDisplayMode(WindowSettings& mode) override;

  // SDL has no window classes: registering always succeeds.
  bool registerIntroWindowClass() override { return true; }
  void unregisterIntroWindowClass() override {}
  bool createIntroWindow(const char* title, WindowSettings& mode, KeyDownArray& keys) override;
  void destroyIntroWindow() override;
  os::WindowEvent pumpIntroMessage() override;
  bool introWindowVisible() override { return introVisible_; }
  void waitForIntroMessage() override { SDL_WaitEvent(nullptr); }
  void swapIntroBuffers() override { SDL_GL_SwapWindow(intro_.window); }
  void postIntroQuit() override { introQuitPosted_ = true; }
  void postIntroFullScreenToggle() override { introTogglePosted_ = true; }

  std::int32_t openMovie(const char* fileName) override;
  bool decodeMovieFrame(std::int32_t index, std::uint8_t* rgb) override;
  void closeMovie() override;

  bool createGameWindow(const char* title, const WindowSettings& mode) override;
  void destroyGameWindow() override;
  os::WindowEvent pumpGameMessage() override;
  bool gameWindowActive() override { return gameActive_; }
  void swapGameBuffers() override { SDL_GL_SwapWindow(game_.window); }

  // SDL's keyboard is always there.
  bool initKeyboard() override { return true; }
  void shutdownKeyboard() override {}
  const unsigned char* readKeyboard() override;

 private:
  GlWindow intro_;
  bool introFullScreen_ = false;
  bool introVisible_ = false;
  bool introQuitPosted_ = false;
  bool introTogglePosted_ = false;
  KeyDownArray* introKeys_ = nullptr;
  GlWindow game_;
  bool gameActive_ = false;
  unsigned char keyboard_[keyboardStateSize] = {};
  MovieFile movie_;
  SoundPlayer sounds_;
};
