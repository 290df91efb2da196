#pragma once
// Column-major matrices as OpenGL would return them, for placing the world
// and the player box the way the game does: the world through the camera
// (rotate by 360 - heading about Y, then move the eye to the origin), the
// box 0.25 ahead of the eye. Heading 0 looks toward -Z (a cell's Top
// border), 90 toward -X (Left), 180 toward +Z (Bottom), 270 toward +X.

#include <array>
#include <cmath>

using GlMatrix = std::array<float, 16>;

inline GlMatrix multiplyMatrices(const GlMatrix& a, const GlMatrix& b) {
  GlMatrix r{};
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
      r[column * 4 + row] = sum;
    }
  }
  return r;
}

inline GlMatrix translationMatrix(float x, float y, float z) {
  return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

inline GlMatrix cameraMatrix(float eyeX, float eyeZ, float headingDegrees) {
  const float a = (360.0f - headingDegrees) * 0.017453292f;
  const float c = std::cos(a), s = std::sin(a);
  const GlMatrix rotation = {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1};
  return multiplyMatrices(rotation, translationMatrix(-eyeX, -0.8f, -eyeZ));
}

inline const GlMatrix playerBoxPlacement = translationMatrix(0, 0, -0.25f);
