// The two projections, read back from a real OpenGL context.

#include <gtest/gtest.h>

#include <cmath>

#include "render/gl_api.h"
#include "shell/scene_projection.h"
#include "tests/support/gl_context.h"

namespace {

struct Frustum {
  double nearPlane;
  double farPlane;
  double aspect;  // width / height
  double verticalFieldOfViewDegrees;
};

// Recovers the gluPerspective parameters from the current projection matrix.
Frustum readFrustum() {
  GLfloat m[16];
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  for (GLfloat value : m) EXPECT_TRUE(std::isfinite(value));
  Frustum f;
  f.nearPlane = m[14] / (m[10] - 1.0);
  f.farPlane = m[14] / (m[10] + 1.0);
  f.aspect = m[5] / m[0];
  f.verticalFieldOfViewDegrees = 2.0 * std::atan(1.0 / m[5]) * 180.0 / M_PI;
  return f;
}

// Both windows look through 45 degrees to a far plane at 100.
void expectFrustum(double nearPlane, double aspect) {
  Frustum f = readFrustum();
  EXPECT_NEAR(f.nearPlane, nearPlane, 1e-4);
  EXPECT_NEAR(f.farPlane, 100.0, 0.1);
  EXPECT_NEAR(f.aspect, aspect, 1e-5);
  EXPECT_NEAR(f.verticalFieldOfViewDegrees, 45.0, 1e-3);
}

TEST(SceneProjection, GameAndIntroDifferOnlyInTheNearPlane) {
  TestGlContext context;
  ASSERT_TRUE(context.ok());
  resizeGameScene(1024, 768);
  expectFrustum(0.1, 1024.0 / 768.0);
  resizeIntroScene(1280, 1024);
  expectFrustum(1.0, 1280.0 / 1024.0);

  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 1280);
  EXPECT_EQ(viewport[3], 1024);
}

TEST(SceneProjection, AWindowOfHeightZeroKeepsAValidProjection) {
  TestGlContext context;
  ASSERT_TRUE(context.ok());
  struct Case {
    void (*resize)(int, int);
    double nearPlane;
  };
  for (Case c : {Case{resizeGameScene, 0.1}, Case{resizeIntroScene, 1.0}}) {
    c.resize(640, 0);
    Frustum collapsed = readFrustum();
    EXPECT_NEAR(collapsed.aspect, 640.0, 1e-2);  // the height counts as 1
    EXPECT_NEAR(collapsed.nearPlane, c.nearPlane, 1e-4);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
}

}  // namespace
