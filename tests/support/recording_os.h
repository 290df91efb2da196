#pragma once
// A fake of the OS services that records every sound and message box and
// lets a test set the clocks, the cursor and the answers of message boxes.
// Install it for the scope of a test with ScopedRecordingOs.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "shell/os_services.h"

struct RecordedSound {
  std::string fileName;
  unsigned flags;
};

struct RecordedMessageBox {
  void* owner;
  std::string text;
  std::string caption;
  unsigned style;
};

class RecordingOs : public OsServices {
 public:
  void playSound(const char* fileName, unsigned flags) override;
  int messageBox(void* owner, const char* text, const char* caption,
                 unsigned style) override;
  void* focusWindow() override { return focus; }
  os::CursorPosition cursorPosition() override { return cursor; }
  void setCursorPosition(int x, int y) override;
  void sleepMilliseconds(unsigned milliseconds) override;
  std::uint32_t tickCount() override { return ticks; }
  std::uint32_t multimediaTime() override { return multimediaMilliseconds; }
  bool performanceFrequency(std::int64_t* countsPerSecond) override;
  std::int64_t performanceCounter() override;

  std::vector<RecordedSound> sounds;
  std::vector<RecordedMessageBox> messageBoxes;
  // Answers given to message boxes in order; os::answerOk once they run out.
  std::deque<int> messageBoxAnswers;
  std::vector<os::CursorPosition> cursorMoves;
  void* focus = nullptr;
  os::CursorPosition cursor{320, 240};
  std::uint32_t ticks = 0;
  std::uint32_t multimediaMilliseconds = 0;
  bool hasPerformanceCounter = true;
  std::int64_t countsPerSecond = 1000000;
  std::int64_t counter = 0;
  // Added to `counter` at each read, so a clock polled in a loop advances.
  std::int64_t counterStepPerRead = 0;
  unsigned sleptMilliseconds = 0;
};

// Installs a RecordingOs for the lifetime of the object.
class ScopedRecordingOs {
 public:
  ScopedRecordingOs();
  ~ScopedRecordingOs();
  ScopedRecordingOs(const ScopedRecordingOs&) = delete;
  ScopedRecordingOs& operator=(const ScopedRecordingOs&) = delete;
  RecordingOs* operator->() { return &os_; }
  RecordingOs& get() { return os_; }

 private:
  RecordingOs os_;
  OsServices* previous_;
};
