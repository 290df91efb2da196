#include "tests/support/recording_os.h"

#include <cstring>

os::Answer RecordingOs::messageBox(const char* text, const char* caption, os::BoxStyle style) {
  messageBoxes.push_back({text ? text : "", caption ? caption : "", style});
  if (messageBoxAnswers.empty()) return os::Answer::ok;
  os::Answer answer = messageBoxAnswers.front();
  messageBoxAnswers.pop_front();
  return answer;
}

// Time passes while the caller sleeps, on every clock, so a wait loop that
// sleeps until a clock has moved comes to an end.
void RecordingOs::sleepMilliseconds(unsigned milliseconds) {
  ticks += milliseconds;
  multimediaMilliseconds += milliseconds;
  counter += static_cast<std::int64_t>(milliseconds) * countsPerSecond / 1000;
}

os::WindowEvent RecordingOs::pumpIntroMessage() {
  if (introEvents.empty()) return os::WindowEvent::quit;
  const os::WindowEvent event = introEvents.front();
  introEvents.pop_front();
  return event;
}

bool RecordingOs::decodeMovieFrame(std::int32_t index, std::uint8_t* rgb) {
  if (movieFrames < 0 || index >= movieFrames) return false;
  for (int i = 0; i < movieFrameBytes; ++i) rgb[i] = i % 3 == 0 ? i / 3 % movieTextureSide : movieColour;
  return true;
}

