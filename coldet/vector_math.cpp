#include "coldet/vector_math.h"

#include <cmath>

namespace coldet {

Affine Affine::identity() {
  return Affine{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}};
}

Affine Affine::fromColumnMajor(const float matrix[16]) {
  Affine a;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) a.m[row][column] = matrix[column * 4 + row];
  }
  return a;
}

Affine compose(const Affine& a, const Affine& b) {
  Affine r;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      float sum = column == 3 ? a.m[row][3] : 0.0f;
      for (int k = 0; k < 3; ++k) sum += a.m[row][k] * b.m[k][column];
      r.m[row][column] = sum;
    }
  }
  return r;
}

bool invert(const Affine& a, Affine& out) {
  // Cofactors in double precision: the inverse of a camera matrix is applied
  // to every query, so its error should stay well below the float inputs'.
  double c[3][3];
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      const int r1 = (row + 1) % 3, r2 = (row + 2) % 3, c1 = (column + 1) % 3, c2 = (column + 2) % 3;
      c[row][column] = double(a.m[r1][c1]) * a.m[r2][c2] - double(a.m[r1][c2]) * a.m[r2][c1];
    }
  }
  const double det = a.m[0][0] * c[0][0] + a.m[0][1] * c[0][1] + a.m[0][2] * c[0][2];
  double scale = 0.0;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) scale = std::fmax(scale, std::fabs(a.m[row][column]));
  }
  if (!std::isfinite(det) || std::fabs(det) <= 1e-12 * scale * scale * scale || scale == 0.0) return false;
  Affine r;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) r.m[row][column] = float(c[column][row] / det);
  }
  for (int row = 0; row < 3; ++row) {
    double t = 0.0;
    for (int k = 0; k < 3; ++k) t -= double(r.m[row][k]) * a.m[k][3];
    r.m[row][3] = float(t);
  }
  out = r;
  return true;
}

Bounds Bounds::transformed(const Affine& t) const {
  const Vec3 centre = (low + high) * 0.5f;
  const Vec3 half = (high - low) * 0.5f;
  const Vec3 c = t.apply(centre);
  Vec3 extent;
  float* e[3] = {&extent.x, &extent.y, &extent.z};
  for (int row = 0; row < 3; ++row) {
    *e[row] = std::fabs(t.m[row][0]) * half.x + std::fabs(t.m[row][1]) * half.y + std::fabs(t.m[row][2]) * half.z;
  }
  // Widen by the rounding of the transform, so the box still holds the
  // triangles that the exact tests transform corner by corner.
  const float size = std::fmax(std::fmax(std::fabs(c.x), std::fabs(c.y)), std::fabs(c.z)) +
                     std::fmax(std::fmax(extent.x, extent.y), extent.z);
  const float pad = size * 1e-5f + 1e-30f;
  extent = extent + Vec3{pad, pad, pad};
  return Bounds{c - extent, c + extent};
}

Bounds boundsOf(const Triangle& t) {
  return Bounds{minimum(minimum(t.corners[0], t.corners[1]), t.corners[2]),
                maximum(maximum(t.corners[0], t.corners[1]), t.corners[2])};
}

}  // namespace coldet
