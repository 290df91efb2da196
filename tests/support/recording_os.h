#pragma once
// A fake of the OS services that records every sound and message box and
// lets a test set the clocks, the cursor and the answers of message boxes.
// Install it for the scope of a test with ScopedRecordingOs.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/os_services.h"
#include "render/dib_reader.h"

struct RecordedSound {
  std::string fileName;
  os::SoundMode mode;
};

struct RecordedMessageBox {
  std::string text;
  std::string caption;
  os::BoxStyle style;
};

class RecordingOs : public OsServices {
 public:
  void playSound(const char* fileName, os::SoundMode mode) override;
  os::Answer messageBox(const char* text, const char* caption, os::BoxStyle style) override;
  os::CursorPosition cursorPosition() override { return cursor; }
  void setCursorPosition(int x, int y) override;
  void sleepMilliseconds(unsigned milliseconds) override;
  std::uint32_t tickCount() override { return ticks; }
  std::uint32_t multimediaTime() override { return multimediaMilliseconds; }
  bool performanceFrequency(std::int64_t* countsPerSecond) override;
  std::int64_t performanceCounter() override;

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
  unsigned sleptMilliseconds = 0;
};

// The BMP reader of the test programs: GDI's under Wine, a portable one for
// the layouts the game's data uses natively (tests/support/dib_reader_*.cpp).
BitmapImage* testDibReader(const char* fileName);

// Installs a RecordingOs, and the test programs' BMP reader (whose reports
// it records), for the lifetime of the object.
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
  DibReader* previousReader_;
};
