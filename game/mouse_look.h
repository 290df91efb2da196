#pragma once
// Turning with the mouse: the cursor is read and put back to a fixed screen
// point every pass, and its displacement turns and tilts the view.

#include "game/game_state.h"

// The fixed screen point the cursor returns to, whatever the window size.
constexpr int mouseLookCentreX = 320;
constexpr int mouseLookCentreY = 240;

void applyMouseLook(PlayerState& player);
