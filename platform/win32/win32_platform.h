#pragma once
// The Windows platform: every service of the platform seam carried out with
// the Win32 API, GDI, WGL, DirectInput, the multimedia and the AVI
// libraries. The records of its windows, keyboard device and movie live in
// this one object; window procedures find theirs through the window's user
// data, so the Windows side keeps no globals of its own.

#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/game_window.h"
#include "platform/win32/intro_window.h"
#include "platform/win32/keyboard.h"
#include "platform/win32/movie_file.h"

class Win32Platform final : public Platform {
 public:
  explicit Win32Platform(HINSTANCE instance);

  void playSound(const char* fileName, os::SoundMode mode) override;
  os::Answer messageBox(const char* text, const char* caption, os::BoxStyle style) override;
  os::CursorPosition cursorPosition() override;
  void setCursorPosition(int x, int y) override;
  void sleepMilliseconds(unsigned milliseconds) override;
  std::uint32_t tickCount() override;
  std::uint32_t multimediaTime() override;
  bool performanceFrequency(std::int64_t* countsPerSecond) override;
  std::int64_t performanceCounter() override;

  // Windows ignores the case of file names: every name is found as it is.
  std::string resolveFileName(const char* name) override { return name; }
  BitmapImage* readBmpFile(const char* fileName) override;
  bool chooseDisplayMode(WindowSettings& mode) override;

  bool registerIntroWindowClass() override;
  void unregisterIntroWindowClass() override;
  bool createIntroWindow(const char* title, WindowSettings& mode, KeyDownArray& keys) override;
  void destroyIntroWindow() override;
  os::WindowEvent pumpIntroMessage() override;
  bool introWindowVisible() override;
  void waitForIntroMessage() override;
  void swapIntroBuffers() override;
  void postIntroQuit() override;
  void postIntroFullScreenToggle() override;

  std::int32_t openMovie(const char* fileName) override;
  bool decodeMovieFrame(std::int32_t index, std::uint8_t* rgb) override;
  void closeMovie() override;

  bool createGameWindow(const char* title, const WindowSettings& mode) override;
  void destroyGameWindow() override;
  os::WindowEvent pumpGameMessage() override;
  bool gameWindowActive() override;
  void swapGameBuffers() override;

  bool initKeyboard() override;
  void shutdownKeyboard() override;
  const unsigned char* readKeyboard() override;

 private:
  HINSTANCE instance_;
  IntroWindow intro_;
  MovieFile movie_;
  GameWindow game_;
  KeyboardDevice keyboard_;
};
