#pragma once
// Viewport and projection of the two windows. Both look through a 45 degree
// vertical field of view with the far plane at 100; the intro's near plane is
// 1.0, the game's 0.1f.

// In both, a height of 0 counts as 1, so a collapsed window keeps a valid
// projection.
void resizeIntroScene(int width, int height);
void resizeGameScene(int width, int height);
