#pragma once
// Column-major matrices as OpenGL keeps them, for placing collision models.

#include <array>
#include <cmath>

using GlMatrix = std::array<float, 16>;

inline GlMatrix translationMatrix(float x, float y, float z) { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}; }

// Turns counter-clockwise seen from above (+X toward -Z), then moves by (x, y, z).
inline GlMatrix rotationYMatrix(float degrees, float x = 0, float y = 0, float z = 0) {
  const float a = degrees * 0.017453292f, c = std::cos(a), s = std::sin(a);
  return {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, x, y, z, 1};
}
