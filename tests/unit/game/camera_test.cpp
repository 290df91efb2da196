#include <gtest/gtest.h>

#include <cmath>

#include "game/camera.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"

namespace {

// Column-major 4x4 matrices, as OpenGL stores them.
struct Matrix {
  float m[16];
};

Matrix multiply(const Matrix& a, const Matrix& b) {
  Matrix r{};
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a.m[k * 4 + row] * b.m[column * 4 + k];
      r.m[column * 4 + row] = sum;
    }
  }
  return r;
}

Matrix rotationX(double degrees) {
  const float c = static_cast<float>(std::cos(degrees * M_PI / 180.0));
  const float s = static_cast<float>(std::sin(degrees * M_PI / 180.0));
  return Matrix{{1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1}};
}

Matrix rotationY(double degrees) {
  const float c = static_cast<float>(std::cos(degrees * M_PI / 180.0));
  const float s = static_cast<float>(std::sin(degrees * M_PI / 180.0));
  return Matrix{{c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1}};
}

Matrix translation(float x, float y, float z) {
  return Matrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}};
}

Matrix modelView() {
  Matrix result;
  glGetFloatv(GL_MODELVIEW_MATRIX, result.m);
  return result;
}

TEST(Camera, PitchAndHeadingRotateThenTheEyeIsTranslated) {
  TestGlContext gl;
  ASSERT_TRUE(gl.ok());
  PlayerState player;
  player.pitch = 30.0f;
  player.heading = 90.0f;
  player.offsetX = 0.5f;
  player.offsetZ = -0.25f;
  player.bobOffset = 0.02f;
  placeCamera(player, 3, 2);
  // Eye at (2*3 - 1 + 0.5, 0.8 + 0.02, 1 - 2*2 - 0.25).
  EXPECT_FLOAT_EQ(player.cameraX, -5.5f);
  EXPECT_FLOAT_EQ(player.cameraY, -0.82f);
  EXPECT_FLOAT_EQ(player.cameraZ, 3.25f);
  const Matrix expected = multiply(multiply(rotationX(30.0), rotationY(270.0)),
                                   translation(-5.5f, -0.82f, 3.25f));
  const Matrix actual = modelView();
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], 1e-5f) << "element " << i;
}

TEST(Camera, ClearsThePictureAndReplacesAnEarlierMatrix) {
  TestGlContext gl(16, 16);
  ASSERT_TRUE(gl.ok());
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glColor3f(1.0f, 1.0f, 1.0f);
  glRectf(-1.0f, -1.0f, 1.0f, 1.0f);
  glScalef(7.0f, 7.0f, 7.0f);
  PlayerState player;
  placeCamera(player, 1, 1);
  for (std::uint8_t byte : gl.readPixels()) ASSERT_EQ(byte, 0);
  const Matrix expected = translation(-1.0f, -0.8f, 1.0f);
  const Matrix actual = modelView();
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], 1e-6f);
}

}  // namespace
