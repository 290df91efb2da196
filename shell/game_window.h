#pragma once
// The game window and its OpenGL context.

class CollisionModel3D;

// Creates the window, its context and the game scene (setupGameScene gets the
// three models). 1 on success; on failure the partial window is released, a
// message is shown and 0 is returned.
int createGameWindow(const char* title, int width, int height,
                     int bitsPerPixel, bool fullScreen,
                     CollisionModel3D* worldModel,
                     CollisionModel3D* playerBox,
                     CollisionModel3D* secondPlayerBox);
// Releases whatever of the game window exists; safe to call again.
void killGameWindow();

// The window is not minimized.
extern unsigned char gameWindowActive;
// The window runs in a changed display mode.
extern unsigned char gameFullScreen;

#include "shell/scene_projection.h"
