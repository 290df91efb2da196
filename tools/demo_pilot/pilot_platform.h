#pragma once
// The platform a demo pilot plays on: an offscreen OpenGL context of the
// window's size, a keyboard and a mouse the pilot sets before each frame,
// and a clock that only moves when the game reads it or sleeps, so the same
// pilot always plays the same game. Sounds and the intro are not there.

#include <cstdint>

#include "platform/platform.h"

class PilotPlatform : public Platform {
 public:
  explicit PilotPlatform(const WindowSettings& mode);
  ~PilotPlatform() override;

  // What the next frame reads.
  unsigned char keys[keyboardStateSize] = {};
  os::CursorPosition cursor{320, 240};
  std::uint32_t seed = 1;
  // Without the performance counter the game's frame clock is the
  // millisecond clock, which here reads `millisecondClockStart` at the
  // platform's start, so a game can be made to see it wrap around.
  bool millisecondClockOnly = false;
  std::uint32_t millisecondClockStart = 0;

  // A slow pass: the clock moves on until the millisecond clock's next
  // reading is `reading` (never back).
  void holdUntil(std::uint32_t reading);
  std::uint32_t millisecondReading() const {
    return millisecondClockStart + static_cast<std::uint32_t>(microseconds_ / 1000);
  }

  std::uint32_t randomSeed() override { return seed; }
  void playSound(const char*, os::SoundMode) override {}
  os::Answer messageBox(const char* text, const char* caption, os::BoxStyle style) override;
  os::CursorPosition cursorPosition() override { return cursor; }
  void setCursorPosition(int, int) override {}
  void sleepMilliseconds(unsigned milliseconds) override { microseconds_ += 1000u * milliseconds; }
  std::uint32_t tickCount() override { return static_cast<std::uint32_t>(microseconds_ / 1000); }
  // Every reading takes 20 microseconds, as the counter's.
  std::uint32_t multimediaTime() override {
    microseconds_ += 20;
    return millisecondReading();
  }
  bool performanceFrequency(std::int64_t* countsPerSecond) override;
  // Every reading takes 20 microseconds, so a busy wait comes to its end.
  std::int64_t performanceCounter() override { return microseconds_ += 20; }
  std::string resolveFileName(const char* name) override;
  BitmapImage* readBmpFile(const char* fileName) override;
  bool chooseDisplayMode(WindowSettings& mode) override;
  bool registerIntroWindowClass() override { return true; }
  void unregisterIntroWindowClass() override {}
  bool createIntroWindow(const char*, WindowSettings&, KeyDownArray&) override { return true; }
  void destroyIntroWindow() override {}
  os::WindowEvent pumpIntroMessage() override { return os::WindowEvent::quit; }
  bool introWindowVisible() override { return true; }
  void waitForIntroMessage() override {}
  void swapIntroBuffers() override {}
  void postIntroQuit() override {}
  void postIntroFullScreenToggle() override {}
  std::int32_t openMovie(const char*) override { return -1; }
  bool decodeMovieFrame(std::int32_t, std::uint8_t*) override { return false; }
  void closeMovie() override {}
  bool createGameWindow(const char* title, const WindowSettings& mode) override;
  void destroyGameWindow() override {}
  os::WindowEvent pumpGameMessage() override { return os::WindowEvent::none; }
  bool gameWindowActive() override { return true; }
  void swapGameBuffers() override {}
  bool initKeyboard() override { return true; }
  void shutdownKeyboard() override {}
  const unsigned char* readKeyboard() override { return keys; }

 private:
  WindowSettings mode_;
  std::int64_t microseconds_ = 1000000;
  struct Context;
  Context* context_;
};
