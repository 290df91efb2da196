#pragma once
// Column-major matrices as OpenGL returns them, placing the world through the camera and the
// player box 0.25 ahead of the eye as the game does. Heading 0 looks toward -Z (a cell's Top
// border), 90 toward -X (Left), 180 toward +Z (Bottom), 270 toward +X.

#include <array>
#include <cmath>

using GlMatrix = std::array<float, 16>;

inline GlMatrix translationMatrix(float x, float y, float z) { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}; }

// Turns counter-clockwise seen from above (+X toward -Z), then moves by (x, y, z).
inline GlMatrix rotationYMatrix(float degrees, float x = 0, float y = 0, float z = 0) {
  const float a = degrees * 0.017453292f, c = std::cos(a), s = std::sin(a);
  return {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, x, y, z, 1};
}

// The world turned by 360 - heading about an eye 0.8 above (eyeX, eyeZ).
inline GlMatrix cameraMatrix(float eyeX, float eyeZ, float headingDegrees) {
  GlMatrix m = rotationYMatrix(360.0f - headingDegrees);
  for (int row = 0; row < 3; ++row) m[12 + row] = -(m[row] * eyeX + m[4 + row] * 0.8f + m[8 + row] * eyeZ);
  return m;
}

inline const GlMatrix playerBoxPlacement = translationMatrix(0, 0, -0.25f);
