#pragma once
// Viewport and projection of the two windows. Both look through a 45 degree
// vertical field of view with the far plane at 100; the intro's near plane is
// 1.0, the game's 0.1f.

// In both, a height of 0 counts as 1, so a collapsed window keeps a valid
// projection.
void resizeIntroScene(int width, int height);
void resizeGameScene(int width, int height);

// The projections the figure loader leaves behind: a square 50-degree one
// while a figure is set up, then the one the game draws every frame with
// (47 degrees, aspect 1.26, whatever the window's shape). Both have the
// game's near and far planes, 0.1 and 100.
constexpr double figureSetUpFieldOfView = 50.0, figureSetUpAspect = 1.0;
constexpr double gameFieldOfView = 47.0, gameAspect = 1.26;
constexpr double figureNearPlane = 0.1, figureFarPlane = 100.0;

// Loads the perspective into the projection matrix, then leaves the
// model-view matrix current and at identity. The viewport is not touched.
void setPerspective(double fieldOfView, double aspect);
// setPerspective(gameFieldOfView, gameAspect).
void setGameDrawingProjection();
