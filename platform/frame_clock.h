#pragma once
// The game's frame clock: milliseconds since initFrameClock, from the
// high-resolution counter when the system has one, else from the multimedia
// millisecond clock. The intro does not use it (it works with tick counts).

#include <cstdint>

struct FrameClock {
  std::int64_t countsPerSecond;
  float secondsPerCount;
  std::uint32_t coarseStart;
  bool usesPerformanceCounter;
  std::int64_t counterStart;
};

extern FrameClock frameClock;

void initFrameClock();
double frameClockMilliseconds();
