#include "tests/support/recording_os.h"

void RecordingOs::playSound(const char* fileName, os::SoundMode mode) {
  sounds.push_back({fileName ? fileName : "", mode});
}

os::Answer RecordingOs::messageBox(const char* text, const char* caption, os::BoxStyle style) {
  messageBoxes.push_back({text ? text : "", caption ? caption : "", style});
  if (messageBoxAnswers.empty()) return os::Answer::ok;
  os::Answer answer = messageBoxAnswers.front();
  messageBoxAnswers.pop_front();
  return answer;
}

void RecordingOs::setCursorPosition(int x, int y) {
  cursor = {x, y};
  cursorMoves.push_back(cursor);
}

// Time passes while the caller sleeps, on every clock, so a wait loop that
// sleeps until a clock has moved comes to an end.
void RecordingOs::sleepMilliseconds(unsigned milliseconds) {
  sleptMilliseconds += milliseconds;
  ticks += milliseconds;
  multimediaMilliseconds += milliseconds;
  counter += static_cast<std::int64_t>(milliseconds) * countsPerSecond / 1000;
}

bool RecordingOs::performanceFrequency(std::int64_t* result) {
  if (!hasPerformanceCounter) return false;
  *result = countsPerSecond;
  return true;
}

std::int64_t RecordingOs::performanceCounter() {
  std::int64_t value = counter;
  counter += counterStepPerRead;
  return value;
}

ScopedRecordingOs::ScopedRecordingOs()
    : previous_(installOsServices(&os_)), previousReader_(installDibReader(&testDibReader)) {}

ScopedRecordingOs::~ScopedRecordingOs() {
  installDibReader(previousReader_);
  installOsServices(previous_);
}
