#pragma once
// The intro movie player, driven by the run sequence while the intro window
// is up.

#include <cstdint>

#include "shell/intro_window.h"

// Prepares the intro window's context and starts the movie; always 1.
int initIntro(IntroWindow* window, KeyDownArray* keys);
// Advances by the milliseconds since the last update; ends the intro on
// Escape or at the end of the movie.
void updateIntro(uint32_t elapsedMilliseconds);
// Draws the current frame; the caller swaps the buffers.
void drawIntro();
// Releases the movie; safe to call again.
void closeIntroMovie();
