#pragma once
// Flags that steer the run sequence: the intro loop, the level/game stage and
// the screen mode of the next intro window. Set by the window procedures, the
// intro player and the start dialog; read by the run sequence. One thread
// reads and writes them, so they need no locking.

#include <cstdint>

// The intro message loop runs while this equals 1; the intro/game cycle
// repeats while it is nonzero. Cleared by endIntro.
extern std::int32_t introRunning;
// The level/texture/game stage runs while this is nonzero. Cleared when the
// intro window is closed, when it cannot be created and after the game.
extern std::int32_t programRunning;
// Screen mode for the next intro window; the intro's full-screen request
// toggles it.
extern std::int32_t createFullScreen;
// The game is still to be run; it runs at most once per process.
extern unsigned char gamePending;

// Ends the intro loop (Escape or the end of the movie).
void endIntro();
