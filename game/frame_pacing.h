#pragma once
// The one owner of frame time: after each frame pass the game loop waits
// here. With the frame-rate text off, a limiter sleeps in 1 ms steps until
// 15 ms have passed since its last wait ended; then, always, the loop spins
// until the frame has taken at least 10 ms since it began. The frame-rate
// text only reads the clock.

#include "game/frame_clock.h"

struct FramePacing {
  // Frame-clock seconds at the end of the limiter's last wait.
  double limiterLastTime = 0.0;
};

// Half of the minimum frame time in milliseconds: the loop waits until
// 2 * frameBudget ms have passed since the frame began.
constexpr int frameBudget = 5;
constexpr double limiterSeconds = 0.015;

// `frameStart` is the frame clock at the start of the pass, kept in single
// precision like the frame budget; `limiterOn` when a frame was drawn with
// the frame-rate text off.
void paceFrame(FramePacing& pacing, const FrameClock& clock, bool limiterOn, float frameStart);
