#pragma once
// The recording fake of the platform: it records every sound, message box
// and the calls tests look at, and lets a test set the clocks, the cursor, the answers
// of message boxes and what the windows report. BMP files are read by the
// test programs' reader. Install it for the scope of a test with
// ScopedRecordingOs; tests that script a window subclass it.

#include <cstdint>
#include <deque>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

// The BMP reader of the test programs: GDI's under Wine, a portable one for
// the layouts the game's data uses natively (tests/support/dib_reader_*.cpp).
BitmapImage* testDibReader(const char* fileName);

struct RecordedSound {
  std::string fileName;
  os::SoundMode mode;
};

struct RecordedMessageBox {
  std::string text;
  std::string caption;
  os::BoxStyle style;
  bool operator==(const RecordedMessageBox& o) const {
    return text == o.text && caption == o.caption && style == o.style;
  }
};
inline void PrintTo(const RecordedMessageBox& box, std::ostream* out) {
  *out << box.caption << ": " << box.text << " (buttons " << int(box.style.buttons) << ", icon "
       << int(box.style.icon) << ", owner " << int(box.style.owner) << ")";
}

class RecordingOs : public Platform {
 public:
  void playSound(const char* fileName, os::SoundMode mode) override { sounds.push_back({fileName ? fileName : "", mode}); }
  os::Answer messageBox(const char* text, const char* caption, os::BoxStyle style) override;
  os::CursorPosition cursorPosition() override { return cursor; }
  void setCursorPosition(int x, int y) override { cursorMoves.push_back(cursor = {x, y}); }
  void sleepMilliseconds(unsigned milliseconds) override;
  std::uint32_t tickCount() override { return ticks; }
  std::uint32_t multimediaTime() override { return multimediaMilliseconds; }
  bool performanceFrequency(std::int64_t* result) override {
    if (hasPerformanceCounter) *result = countsPerSecond;
    return hasPerformanceCounter;
  }
  std::int64_t performanceCounter() override { return std::exchange(counter, counter + counterStepPerRead); }

  std::string resolveFileName(const char* name) override { return name; }
  BitmapImage* readBmpFile(const char* fileName) override { return testDibReader(fileName); }
  bool chooseDisplayMode(WindowSettings& mode) override { return mode = WindowSettings{}, true; }
  bool registerIntroWindowClass() override { return true; }
  void unregisterIntroWindowClass() override {}
  bool createIntroWindow(const char*, WindowSettings&, KeyDownArray& keys) override { return keys = {}, true; }
  void destroyIntroWindow() override {}
  // The scripted events, then the quit message.
  os::WindowEvent pumpIntroMessage() override;
  bool introWindowVisible() override { return true; }
  void waitForIntroMessage() override {}
  void swapIntroBuffers() override { note("swap intro"); }
  void postIntroQuit() override { note("post quit"); }
  void postIntroFullScreenToggle() override { note("post toggle"); }
  std::int32_t openMovie(const char*) override { return movieFrames; }
  bool decodeMovieFrame(std::int32_t index, std::uint8_t* rgb) override;
  void closeMovie() override {}
  bool createGameWindow(const char* title, const WindowSettings& mode) override {
    return note(std::string("create ") + title + (mode.fullScreen ? " full" : " windowed")), true;
  }
  void destroyGameWindow() override { note("kill"); }
  os::WindowEvent pumpGameMessage() override { return os::WindowEvent::quit; }
  bool gameWindowActive() override { return true; }
  void swapGameBuffers() override { note("swap game"); }
  bool initKeyboard() override { return note("keyboard"), true; }
  void shutdownKeyboard() override { note("shutdown keyboard"); }
  const unsigned char* readKeyboard() override { return keys; }

  // The game window, keyboard and intro loop calls, in order.
  std::vector<std::string> calls;
  void note(const std::string& call) { calls.push_back(call); }
  std::deque<os::WindowEvent> introEvents;
  // The movie's frame count (-1: it cannot be opened); every decoded frame
  // has this green and blue, and red rising from 0 to 255 left to right.
  std::int32_t movieFrames = -1;
  std::uint8_t movieColour = 0;
  unsigned char keys[keyboardStateSize] = {};

  std::vector<RecordedSound> sounds;
  std::vector<RecordedMessageBox> messageBoxes;
  // Answers given to message boxes in order; os::Answer::ok once they run out.
  std::deque<os::Answer> messageBoxAnswers;
  std::vector<os::CursorPosition> cursorMoves;
  os::CursorPosition cursor{320, 240};
  std::uint32_t ticks = 0;
  std::uint32_t multimediaMilliseconds = 0;
  bool hasPerformanceCounter = true;
  std::int64_t countsPerSecond = 1000000;
  std::int64_t counter = 0;
  // Added to `counter` at each read, so a clock polled in a loop advances.
  std::int64_t counterStepPerRead = 0;
};

// Installs a RecordingOs for the lifetime of the object.
class ScopedRecordingOs {
 public:
  ScopedRecordingOs() : previous_(installPlatform(&os_)) {}
  ~ScopedRecordingOs() { installPlatform(previous_); }
  ScopedRecordingOs(const ScopedRecordingOs&) = delete;
  ScopedRecordingOs& operator=(const ScopedRecordingOs&) = delete;
  RecordingOs* operator->() { return &os_; }
  RecordingOs& get() { return os_; }

 private:
  RecordingOs os_;
  Platform* previous_;
};
