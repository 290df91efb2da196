#include "render/scene_projection.h"

#include "render/gl_api.h"

namespace {
constexpr double fieldOfViewDegrees = 45.0;
constexpr double farPlane = 100.0;
constexpr double introNearPlane = 1.0;
// The game's near plane is the single-precision 0.1 widened to double.
constexpr double gameNearPlane = static_cast<double>(0.1f);

// A height of 0 (a window dragged flat) counts as 1, so the aspect ratio
// stays finite.
void setProjection(int width, int height, double nearPlane) {
  if (height == 0) height = 1;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(fieldOfViewDegrees, static_cast<double>(width) / static_cast<double>(height),
                 nearPlane, farPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
}  // namespace

void setPerspective(double fieldOfView, double aspect) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(fieldOfView, aspect, figureNearPlane, figureFarPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void setGameDrawingProjection() { setPerspective(gameFieldOfView, gameAspect); }

void resizeIntroScene(int width, int height) { setProjection(width, height, introNearPlane); }

void resizeGameScene(int width, int height) { setProjection(width, height, gameNearPlane); }
