// Triangle against triangle by separating axes. Two convex sets are apart
// exactly when their projections onto some axis do not overlap; for two
// triangles it is enough to try both normals, the cross products of their
// edges, and the in-plane edge normals (which settle the coplanar case and a
// zero-area triangle against a proper one). Only when both triangles have no
// area does the test fall back to the distance between two segments.

#include "coldet/triangle_tests.h"

#include <algorithm>
#include <cmath>

namespace coldet {
namespace {

// Axes from nearly parallel vectors are rounding noise and could separate
// touching triangles; they are skipped (sine of the angle below ~1e-5).
constexpr float parallelLimit = 1e-10f;

struct Edges {
  Vec3 e[3];
  Vec3 normal;
  bool hasArea;
};

float lengthSquared(Vec3 v) { return dot(v, v); }

// The cross product u x v, or false when u and v are (nearly) parallel.
bool axisFrom(Vec3 u, Vec3 v, Vec3& axis) {
  axis = cross(u, v);
  const float limit = parallelLimit * lengthSquared(u) * lengthSquared(v);
  return lengthSquared(axis) > limit && std::isfinite(lengthSquared(axis));
}

Edges edgesOf(const Triangle& t) {
  Edges edges;
  edges.e[0] = t.corners[1] - t.corners[0];
  edges.e[1] = t.corners[2] - t.corners[1];
  edges.e[2] = t.corners[0] - t.corners[2];
  edges.hasArea = axisFrom(edges.e[0], t.corners[2] - t.corners[0], edges.normal);
  return edges;
}

bool separatedAlong(Vec3 axis, const Triangle& a, const Triangle& b) {
  float aLow = dot(axis, a.corners[0]), aHigh = aLow;
  float bLow = dot(axis, b.corners[0]), bHigh = bLow;
  for (int i = 1; i < 3; ++i) {
    const float pa = dot(axis, a.corners[i]), pb = dot(axis, b.corners[i]);
    aLow = std::min(aLow, pa);
    aHigh = std::max(aHigh, pa);
    bLow = std::min(bLow, pb);
    bHigh = std::max(bHigh, pb);
  }
  return aHigh < bLow || bHigh < aLow;
}

bool separatedByCross(Vec3 u, Vec3 v, const Triangle& a, const Triangle& b) {
  Vec3 axis;
  return axisFrom(u, v, axis) && separatedAlong(axis, a, b);
}

// The longest edge of a zero-area triangle covers all three corners.
void longestEdge(const Triangle& t, Vec3& start, Vec3& end) {
  int best = 0;
  float bestLength = -1.0f;
  for (int i = 0; i < 3; ++i) {
    const float length = lengthSquared(t.corners[(i + 1) % 3] - t.corners[i]);
    if (length > bestLength) {
      bestLength = length;
      best = i;
    }
  }
  start = t.corners[best];
  end = t.corners[(best + 1) % 3];
}

double clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

// Squared distance between segments p1-q1 and p2-q2 (either may be a point).
double segmentDistanceSquared(Vec3 p1, Vec3 q1, Vec3 p2, Vec3 q2) {
  const double d1[3] = {q1.x - p1.x, q1.y - p1.y, q1.z - p1.z};
  const double d2[3] = {q2.x - p2.x, q2.y - p2.y, q2.z - p2.z};
  const double r[3] = {double(p1.x) - p2.x, double(p1.y) - p2.y, double(p1.z) - p2.z};
  auto dotd = [](const double* u, const double* v) { return u[0] * v[0] + u[1] * v[1] + u[2] * v[2]; };
  const double a = dotd(d1, d1), e = dotd(d2, d2), f = dotd(d2, r);
  double s = 0.0, t = 0.0;
  if (a > 0.0 && e > 0.0) {
    const double b = dotd(d1, d2), c = dotd(d1, r);
    const double denominator = a * e - b * b;
    s = denominator > 0.0 ? clamp01((b * f - c * e) / denominator) : 0.0;
    t = (b * s + f) / e;
    if (t < 0.0) {
      t = 0.0;
      s = clamp01(-c / a);
    } else if (t > 1.0) {
      t = 1.0;
      s = clamp01((b - c) / a);
    }
  } else if (a > 0.0) {
    s = clamp01(-dotd(d1, r) / a);
  } else if (e > 0.0) {
    t = clamp01(f / e);
  }
  double distance = 0.0;
  for (int i = 0; i < 3; ++i) {
    const double gap = r[i] + d1[i] * s - d2[i] * t;
    distance += gap * gap;
  }
  return distance;
}

bool flatTrianglesTouch(const Triangle& a, const Triangle& b) {
  Vec3 p1, q1, p2, q2;
  longestEdge(a, p1, q1);
  longestEdge(b, p2, q2);
  float scale = 0.0f;
  for (const Vec3& v : {p1, q1, p2, q2}) scale = std::max({scale, std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)});
  const double tolerance = 1e-6 * (scale > 1.0f ? scale : 1.0f);
  return segmentDistanceSquared(p1, q1, p2, q2) <= tolerance * tolerance;
}

bool isFinite(const Triangle& t) {
  for (const Vec3& c : t.corners) {
    if (!std::isfinite(c.x) || !std::isfinite(c.y) || !std::isfinite(c.z)) return false;
  }
  return true;
}

// Bounding boxes of two finite triangles overlap (plain comparisons: this
// runs for every pair the tree cannot part).
bool boxesOverlap(const Triangle& a, const Triangle& b) {
  for (int axis = 0; axis < 3; ++axis) {
    const float a0 = component(a.corners[0], axis), a1 = component(a.corners[1], axis), a2 = component(a.corners[2], axis);
    const float b0 = component(b.corners[0], axis), b1 = component(b.corners[1], axis), b2 = component(b.corners[2], axis);
    if (std::max({a0, a1, a2}) < std::min({b0, b1, b2}) || std::max({b0, b1, b2}) < std::min({a0, a1, a2})) return false;
  }
  return true;
}

}  // namespace

bool trianglesTouch(const Triangle& a, const Triangle& b) {
  // A corner at infinity or NaN has no place in space: such a triangle
  // touches nothing.
  if (!isFinite(a) || !isFinite(b)) return false;
  // The coordinate axes first: cheap, and they part most pairs that only
  // share a bounding box of the tree.
  if (!boxesOverlap(a, b)) return false;
  const Edges ea = edgesOf(a), eb = edgesOf(b);
  if (!ea.hasArea && !eb.hasArea) return flatTrianglesTouch(a, b);
  if (ea.hasArea && separatedAlong(ea.normal, a, b)) return false;
  if (eb.hasArea && separatedAlong(eb.normal, a, b)) return false;
  for (const Vec3& u : ea.e) {
    for (const Vec3& v : eb.e) {
      if (separatedByCross(u, v, a, b)) return false;
    }
  }
  // In-plane normals of every edge in both planes: the coplanar case, and a
  // zero-area triangle lying in the other's plane.
  for (const Edges* plane : {&ea, &eb}) {
    if (!plane->hasArea) continue;
    for (const Edges* edges : {&ea, &eb}) {
      for (const Vec3& e : edges->e) {
        if (separatedByCross(plane->normal, e, a, b)) return false;
      }
    }
  }
  return true;
}

bool rayHitsTriangle(Vec3 origin, Vec3 direction, const Triangle& t, float tMin, float tMax,
                     float& hitT) {
  const Vec3 e1 = t.corners[1] - t.corners[0];
  const Vec3 e2 = t.corners[2] - t.corners[0];
  const Vec3 p = cross(direction, e2);
  const float determinant = dot(e1, p);
  const float limit = 1e-7f * std::sqrt(lengthSquared(e1) * lengthSquared(e2) * lengthSquared(direction));
  if (!(std::fabs(determinant) > limit)) return false;
  const float inverse = 1.0f / determinant;
  const Vec3 s = origin - t.corners[0];
  const float u = dot(s, p) * inverse;
  if (u < 0.0f || u > 1.0f) return false;
  const Vec3 q = cross(s, e1);
  const float v = dot(direction, q) * inverse;
  if (v < 0.0f || u + v > 1.0f) return false;
  const float distance = dot(e2, q) * inverse;
  if (distance < tMin || distance > tMax) return false;
  hitT = distance;
  return true;
}

}  // namespace coldet
