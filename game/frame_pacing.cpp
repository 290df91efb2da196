#include "game/frame_pacing.h"

#include <cmath>

#include "platform/platform.h"

namespace {
double seconds(const FrameClock& clock) { return frameClockMilliseconds(clock) * 0.001; }
}  // namespace

void paceFrame(FramePacing& pacing, const FrameClock& clock, bool limiterOn, float frameStart) {
  if (limiterOn) {
    while (std::fabs(seconds(clock) - pacing.limiterLastTime) < limiterSeconds) {
      osServices().sleepMilliseconds(1);
    }
    pacing.limiterLastTime = seconds(clock);
  }
  const double end = static_cast<double>(frameStart) + 2.0 * frameBudget;
  while (frameClockMilliseconds(clock) < end) {
  }
}
