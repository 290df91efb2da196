#pragma once
// Column-major matrices as OpenGL returns them, for placing the world and the
// player box the way the game does: the world through the camera, the box
// 0.25 ahead of the eye. Heading 0 looks toward -Z (a cell's Top border), 90
// toward -X (Left), 180 toward +Z (Bottom), 270 toward +X.

#include <array>
#include <cmath>

using GlMatrix = std::array<float, 16>;

inline GlMatrix multiplyMatrices(const GlMatrix& a, const GlMatrix& b) {
  GlMatrix r{};
  for (int i = 0; i < 16; ++i) {
    for (int k = 0; k < 4; ++k) r[i] += a[k * 4 + i % 4] * b[i / 4 * 4 + k];
  }
  return r;
}

inline GlMatrix translationMatrix(float x, float y, float z) { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}; }

// Counter-clockwise seen from above: +X turns toward -Z.
inline GlMatrix rotationYMatrix(float degrees) {
  const float a = degrees * 0.017453292f, c = std::cos(a), s = std::sin(a);
  return {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1};
}

// The eye stands 0.8 above (eyeX, eyeZ); the world turns by 360 - heading.
inline GlMatrix cameraMatrix(float eyeX, float eyeZ, float headingDegrees) {
  return multiplyMatrices(rotationYMatrix(360.0f - headingDegrees), translationMatrix(-eyeX, -0.8f, -eyeZ));
}

inline const GlMatrix playerBoxPlacement = translationMatrix(0, 0, -0.25f);
