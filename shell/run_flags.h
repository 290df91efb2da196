#pragma once
// Flags that steer the run sequence: the intro loop, the level/game stage and
// the screen mode of the next intro window. One record, owned by the
// program's run and handed to whatever sets them.

#include <cstdint>

class Platform;

struct RunFlags {
  // The intro message loop runs while this equals 1; the intro/game cycle
  // repeats while it is nonzero. Cleared by endIntro.
  std::int32_t introRunning = 0;
  // The level/texture/game stage runs while this is nonzero. Cleared when the
  // intro window is closed, when it cannot be created and after the game.
  std::int32_t programRunning = 0;
  // Screen mode for the next intro window; the intro's full-screen request
  // toggles it.
  std::int32_t createFullScreen = 0;
  // The game is still to be run; it runs at most once per process.
  std::uint8_t gamePending = 1;
};

// Ends the intro loop (Escape or the end of the movie).
void endIntro(RunFlags& flags);
// The intro window was closed: its loop ends at the quit message, and the
// level/game stage is skipped.
void terminateProgram(Platform& platform, RunFlags& flags);
