#include "game/frame_clock.h"

#include "platform/platform.h"

void initFrameClock(FrameClock& frameClock) {
  frameClock = FrameClock{};
  OsServices& services = osServices();
  if (services.performanceFrequency(&frameClock.countsPerSecond)) {
    frameClock.counterStart = services.performanceCounter();
    frameClock.usesPerformanceCounter = true;
    frameClock.secondsPerCount =
        static_cast<float>(1.0 / static_cast<double>(frameClock.countsPerSecond));
  } else {
    frameClock.usesPerformanceCounter = false;
    frameClock.coarseStart = services.multimediaTime();
    frameClock.secondsPerCount = 0.001f;
    frameClock.countsPerSecond = 1000;
  }
}

double frameClockMilliseconds(const FrameClock& frameClock) {
  OsServices& services = osServices();
  if (!frameClock.usesPerformanceCounter) {
    // Unsigned 32-bit difference: right across the counter's wrap-around.
    // The millisecond clock already counts milliseconds; scaling it by the
    // single-precision 0.001 would smear whole readings into fractions.
    std::uint32_t elapsed = services.multimediaTime() - frameClock.coarseStart;
    return static_cast<double>(elapsed);
  }
  std::int64_t elapsedCounts = services.performanceCounter() - frameClock.counterStart;
  return static_cast<double>(elapsedCounts) * static_cast<double>(frameClock.secondsPerCount) *
         1000.0;
}

double frameClockSeconds(const FrameClock& clock) { return frameClockMilliseconds(clock) * 0.001; }
