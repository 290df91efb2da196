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

#include <cstring>

BitmapImage* RecordingOs::readBmpFile(const char* fileName) { return testDibReader(fileName); }

os::WindowEvent RecordingOs::pumpIntroMessage() {
  if (introEvents.empty()) return os::WindowEvent::quit;
  const os::WindowEvent event = introEvents.front();
  introEvents.pop_front();
  return event;
}

bool RecordingOs::decodeMovieFrame(std::int32_t index, std::uint8_t* rgb) {
  if (movieFrames < 0 || index >= movieFrames) return false;
  std::memset(rgb, movieColour, movieFrameBytes);
  return true;
}

bool RecordingOs::createGameWindow(const char* title, const WindowSettings& mode) {
  note(std::string("create ") + title + (mode.fullScreen ? " full" : " windowed"));
  return true;
}

ScopedRecordingOs::ScopedRecordingOs() : previous_(installPlatform(&os_)) {}

ScopedRecordingOs::~ScopedRecordingOs() { installPlatform(previous_); }
