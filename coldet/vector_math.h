#pragma once
// Small vector and transform types of the collision library.

#include <cmath>

namespace coldet {

struct Vec3 {
  float x, y, z;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
// std::fmin and std::fmax by their rules (a number wins over a NaN), written
// out so the compiler inlines them: tree building calls them millions of
// times for a large world.
inline float smaller(float a, float b) { return (a <= b || std::isnan(b)) ? a : b; }
inline float larger(float a, float b) { return (a >= b || std::isnan(b)) ? a : b; }
inline Vec3 minimum(Vec3 a, Vec3 b) { return {smaller(a.x, b.x), smaller(a.y, b.y), smaller(a.z, b.z)}; }
inline Vec3 maximum(Vec3 a, Vec3 b) { return {larger(a.x, b.x), larger(a.y, b.y), larger(a.z, b.z)}; }
inline float component(Vec3 v, int axis) { return axis == 0 ? v.x : (axis == 1 ? v.y : v.z); }

struct Triangle {
  Vec3 corners[3];
};

// An affine transform: rows of the upper 3 x 4 part of an OpenGL matrix
// (the projective bottom row is ignored; model-view matrices have 0 0 0 1).
struct Affine {
  float m[3][4];

  static Affine identity();
  // From 16 floats in OpenGL's column order.
  static Affine fromColumnMajor(const float matrix[16]);

  Vec3 apply(Vec3 p) const {
    return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3],
            m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3],
            m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3]};
  }
  // The linear part only, for directions.
  Vec3 applyLinear(Vec3 d) const {
    return {m[0][0] * d.x + m[0][1] * d.y + m[0][2] * d.z, m[1][0] * d.x + m[1][1] * d.y + m[1][2] * d.z,
            m[2][0] * d.x + m[2][1] * d.y + m[2][2] * d.z};
  }
  Triangle apply(const Triangle& t) const {
    return {{apply(t.corners[0]), apply(t.corners[1]), apply(t.corners[2])}};
  }
};

// a applied after b.
Affine compose(const Affine& a, const Affine& b);
// False when the linear part is singular (or not finite); `out` is then
// unchanged.
bool invert(const Affine& a, Affine& out);

// Axis-aligned box.
struct Bounds {
  Vec3 low, high;

  bool overlaps(const Bounds& o) const {
    return low.x <= o.high.x && o.low.x <= high.x && low.y <= o.high.y && o.low.y <= high.y &&
           low.z <= o.high.z && o.low.z <= high.z;
  }
  // The axis-aligned box around this box after the transform.
  Bounds transformed(const Affine& t) const;
};

Bounds boundsOf(const Triangle& t);

}  // namespace coldet
