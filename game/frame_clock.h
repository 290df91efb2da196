#pragma once
// The game's frame clock (held by the game record): milliseconds since
// initFrameClock, from the
// high-resolution counter when the system has one, else from the multimedia
// millisecond clock. The intro does not use it (it works with tick counts).

#include <cstdint>

struct FrameClock {
  std::int64_t countsPerSecond = 0;
  float secondsPerCount = 0.0f;
  std::uint32_t coarseStart = 0;
  bool usesPerformanceCounter = false;
  std::int64_t counterStart = 0;
};

void initFrameClock(FrameClock& clock);
double frameClockMilliseconds(const FrameClock& clock);
// The same reading in seconds, as the rate measurements and the limiter
// keep their times.
double frameClockSeconds(const FrameClock& clock);
