#pragma once
// A platform in front of the real one that records a game as a demo, or
// plays one back. Recording passes every call through and keeps the answers
// the game's pass depends on (clocks, cursor, keyboard, window events and
// states, message box answers, the seed and the start dialog's choice).
// Playback gives the kept answers instead, still drawing through the real
// platform, and compares the game's checksums after every frame; the time
// demo plays back without waits. What the game does before it starts (the
// start dialog, the intro) is not part of a demo: playback skips the dialog
// and the intro.

#include <chrono>
#include <string>

#include "game/game_checksum.h"
#include "shell/demo_file.h"
#include "platform/platform.h"

struct Game;

enum class DemoMode { record, play, timeDemo };

// Exit codes of a program run with a demo.
constexpr int demoRefused = 2;    // the file cannot be used: nothing was played
constexpr int demoDiverged = 3;   // the game differed from the recording
constexpr int demoOtherLevel = 4; // recorded on another level, no frame differed

class DemoPlatform : public Platform {
 public:
  DemoPlatform(Platform& real, DemoMode mode, std::string fileName, std::string levelFile);
  // Playback: reads the demo and checks it fits this level. False when it
  // cannot be played (the message says why); a demo of another level is
  // played to find its first differing frame, with a warning in `message`.
  bool open(std::string& message);
  // Once per game frame, with the state the next frame starts from.
  void frameEnded(const Game& game);
  // Records: saves the demo. Playback: reports the outcome. Prints what it
  // has to say and returns the program's exit code.
  int finish(int programResult);

  bool playing() const { return mode_ != DemoMode::record; }
  // The demo of the run so far (a recording) or the one played.
  const Demo& demo() const { return demo_; }

  // Platform
  std::uint32_t randomSeed() override;
  void playSound(const char* fileName, os::SoundMode mode) override;
  os::Answer messageBox(const char* text, const char* caption, os::BoxStyle style) override;
  os::CursorPosition cursorPosition() override;
  void setCursorPosition(int x, int y) override;
  void sleepMilliseconds(unsigned milliseconds) override;
  std::uint32_t tickCount() override;
  std::uint32_t multimediaTime() override;
  bool performanceFrequency(std::int64_t* countsPerSecond) override;
  std::int64_t performanceCounter() override;
  std::string resolveFileName(const char* name) override { return real_.resolveFileName(name); }
  BitmapImage* readBmpFile(const char* fileName) override { return real_.readBmpFile(fileName); }
  bool chooseDisplayMode(WindowSettings& mode) override;
  bool registerIntroWindowClass() override { return real_.registerIntroWindowClass(); }
  void unregisterIntroWindowClass() override { real_.unregisterIntroWindowClass(); }
  bool createIntroWindow(const char* title, WindowSettings& mode, KeyDownArray& keys) override {
    return real_.createIntroWindow(title, mode, keys);
  }
  void destroyIntroWindow() override { real_.destroyIntroWindow(); }
  os::WindowEvent pumpIntroMessage() override { return real_.pumpIntroMessage(); }
  bool introWindowVisible() override { return real_.introWindowVisible(); }
  void waitForIntroMessage() override { real_.waitForIntroMessage(); }
  void swapIntroBuffers() override { real_.swapIntroBuffers(); }
  void postIntroQuit() override { real_.postIntroQuit(); }
  void postIntroFullScreenToggle() override { real_.postIntroFullScreenToggle(); }
  std::int32_t openMovie(const char* fileName) override { return real_.openMovie(fileName); }
  bool decodeMovieFrame(std::int32_t index, std::uint8_t* rgb) override {
    return real_.decodeMovieFrame(index, rgb);
  }
  void closeMovie() override { real_.closeMovie(); }
  bool createGameWindow(const char* title, const WindowSettings& mode) override;
  void destroyGameWindow() override;
  os::WindowEvent pumpGameMessage() override;
  bool gameWindowActive() override;
  void swapGameBuffers() override { real_.swapGameBuffers(); }
  bool initKeyboard() override;
  void shutdownKeyboard() override;
  const unsigned char* readKeyboard() override;

 private:
  // Recording: keeps an answer of the game's pass.
  std::int64_t keep(DemoAnswer kind, std::int64_t value, std::int64_t second = 0);
  std::int64_t keepClock(DemoAnswer kind, std::int64_t value);
  // Playback: the next kept answer, which must be of `kind`; null once the
  // game has left the recording (the divergence is then noted).
  const DemoEntry* take(DemoAnswer kind);
  std::int64_t takeClock(DemoAnswer kind);
  // Reports the first difference; past one that `answersStop`, the demo
  // gives no more answers and the game is ended.
  void diverge(const std::string& what, bool answersStop = true);
  bool recordingGame() const { return mode_ == DemoMode::record && inGame_ && !windowCall_; }
  bool playingGame() const { return mode_ != DemoMode::record && inGame_ && !windowCall_; }

  Platform& real_;
  DemoMode mode_;
  std::string fileName_;
  std::string levelFile_;
  Demo demo_;
  // From the seed request on, the game's answers belong to the demo.
  bool inGame_ = false;
  // Inside the real platform's window calls.
  bool windowCall_ = false;
  std::size_t next_ = 0;
  // The clock run being given out, and how many of its readings were.
  const DemoEntry* clockRun_ = nullptr;
  std::uint32_t clockReading_ = 0;
  std::int64_t counterStep_ = 1;
  // Playback's pace: the recorded counter's rate, first and latest reading.
  std::int64_t recordedRate_ = 0;
  std::int64_t firstCounter_ = 0;
  std::int64_t lastCounter_ = 0;
  std::int64_t frame_ = 0;
  KeyboardState keys_{};
  bool otherLevel_ = false;
  bool diverged_ = false;
  bool differed_ = false;
  bool stoppedByViewer_ = false;
  std::chrono::steady_clock::time_point firstFrameStart_;
};
