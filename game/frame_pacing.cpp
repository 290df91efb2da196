#include "game/frame_pacing.h"

#include <cmath>

#include "platform/platform.h"

void paceFrame(FramePacing& pacing, const FrameClock& clock, bool limiterOn, float frameStart) {
  if (limiterOn) {
    while (std::fabs(frameClockSeconds(clock) - pacing.limiterLastTime) < limiterSeconds) {
      osServices().sleepMilliseconds(1);
    }
    pacing.limiterLastTime = frameClockSeconds(clock);
  }
  const double end = static_cast<double>(frameStart) + 2.0 * frameBudget;
  while (frameClockMilliseconds(clock) < end) {
  }
}
