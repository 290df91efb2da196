#pragma once
// The intro movie player, driven by the intro window's loop
// (shell/intro_window_win32.h). It reads the intro's key flags and tells the
// loop what the player asked for; the loop carries it out.

#include <cstdint>

// Key-down flags of the intro, indexed by virtual-key code: 1 down, 0 up.
struct KeyDownArray {
  std::int32_t down[256];
};

// What one update asks of the run sequence. The end wins: a full-screen
// request in the update that ends the intro is dropped.
enum class IntroRequest {
  none,
  fullScreenToggle,  // F1 is down
  end,               // Escape is down, or the movie has ended
};

// Prepares the current context and starts the movie; always 1.
int initIntro(const KeyDownArray* keys);
// Advances by the milliseconds since the last update.
IntroRequest updateIntro(std::uint32_t elapsedMilliseconds);
// Draws the current frame; the caller swaps the buffers.
void drawIntro();
// Releases the movie; safe to call again.
void closeIntroMovie();
