// Single-triangle tests: touching, crossing, coplanar, near misses and
// zero-area triangles, plus a random comparison with an independent
// edge-through-triangle test.

#include "coldet/triangle_tests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace coldet {
namespace {

Triangle tri(Vec3 a, Vec3 b, Vec3 c) { return Triangle{{a, b, c}}; }

// Checks both argument orders: the answer must not depend on it.
void expectTouch(const Triangle& a, const Triangle& b, bool expected) {
  EXPECT_EQ(trianglesTouch(a, b), expected);
  EXPECT_EQ(trianglesTouch(b, a), expected);
}

const Triangle floorTriangle = tri({0, 0, 0}, {4, 0, 0}, {0, 0, 4});

TEST(TrianglesTouch, CrossingAndPiercingTriangles) {
  // A vertical triangle standing through the floor triangle.
  expectTouch(floorTriangle, tri({1, -1, 1}, {2, -1, 1}, {1, 1, 1}), true);
  // Two triangles crossing like the links of a chain, each through the other.
  expectTouch(tri({0, 0, 0}, {2, 0, 0}, {1, 2, 0}), tri({1, 1, -1}, {1, 1, 1}, {1, -1, 0}), true);
  // Beside the floor triangle's hypotenuse: the vertical one pierces the
  // floor's plane but outside the triangle.
  expectTouch(floorTriangle, tri({3, -1, 3}, {4, -1, 3}, {3, 1, 3}), false);
}

TEST(TrianglesTouch, TouchingAtACornerOrAnEdgeCounts) {
  expectTouch(floorTriangle, tri({4, 0, 0}, {5, 1, 0}, {5, 0, 1}), true);       // corner to corner
  expectTouch(floorTriangle, tri({2, 0, 0}, {2, 1, -1}, {3, 1, -1}), true);     // corner on an edge
  expectTouch(floorTriangle, tri({1, 0, 1}, {1, 2, 1}, {2, 2, 1}), true);       // corner on the face
  expectTouch(floorTriangle, tri({0, 0, 0}, {4, 0, 0}, {2, 3, 0}), true);       // shared edge, folded
}

TEST(TrianglesTouch, CoplanarOverlapContainmentAndGaps) {
  expectTouch(floorTriangle, tri({1, 0, 1}, {5, 0, 1}, {1, 0, 5}), true);            // overlapping
  expectTouch(floorTriangle, tri({0.5f, 0, 0.5f}, {1, 0, 0.5f}, {0.5f, 0, 1}), true);  // contained
  expectTouch(floorTriangle, tri({0, 0, 0}, {-4, 0, 0}, {0, 0, -4}), true);           // corner to corner
  // Apart only across the hypotenuse: no normal and no edge cross product
  // separates them, only an in-plane edge normal.
  expectTouch(floorTriangle, tri({3, 0, 3}, {6, 0, 3}, {3, 0, 6}), false);
  expectTouch(floorTriangle, tri({-1, 0, -1}, {-3, 0, -1}, {-1, 0, -3}), false);
}

TEST(TrianglesTouch, NearMissesAreApart) {
  expectTouch(floorTriangle, tri({0, 0.001f, 0}, {4, 0.001f, 0}, {0, 0.001f, 4}), false);  // parallel plane
  expectTouch(floorTriangle, tri({1, 0.0001f, 1}, {2, 1, 1}, {1, 1, 2}), false);            // stops short
  expectTouch(floorTriangle, tri({4.001f, 0, 0}, {5, 1, 0}, {5, -1, 0}), false);            // beside a corner
}

TEST(TrianglesTouch, ZeroAreaTrianglesActAsSegmentsAndPoints) {
  const Triangle verticalSegment = tri({1, -1, 1}, {1, 1, 1}, {1, 0, 1});
  expectTouch(floorTriangle, verticalSegment, true);
  expectTouch(floorTriangle, tri({5, -1, 1}, {5, 1, 1}, {5, 0, 1}), false);
  expectTouch(floorTriangle, tri({1, 0, 1}, {1, 0, 1}, {1, 0, 1}), true);       // point on the face
  expectTouch(floorTriangle, tri({1, 0.5f, 1}, {1, 0.5f, 1}, {1, 0.5f, 1}), false);
  // A segment lying in the floor's plane, crossing its edge / outside it.
  expectTouch(floorTriangle, tri({-1, 0, 1}, {1, 0, 1}, {0, 0, 1}), true);
  expectTouch(floorTriangle, tri({3, 0, 3}, {5, 0, 3}, {4, 0, 3}), false);
  // Two segments: crossing, coplanar but apart, collinear and overlapping.
  expectTouch(verticalSegment, tri({0, 0, 1}, {2, 0, 1}, {1, 0, 1}), true);
  expectTouch(tri({0, 0, 0}, {1, 0, 0}, {1, 0, 0}), tri({2, -1, 0}, {2, 1, 0}, {2, 1, 0}), false);
  expectTouch(tri({0, 0, 0}, {2, 0, 0}, {1, 0, 0}), tri({1, 0, 0}, {3, 0, 0}, {3, 0, 0}), true);
}

TEST(TrianglesTouch, CornersThatAreNotNumbersTouchNothing) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  expectTouch(floorTriangle, tri({nan, 0, 0}, {1, 0, 1}, {1, 1, 1}), false);
  expectTouch(floorTriangle, tri({1, -inf, 1}, {1, inf, 1}, {2, 0, 1}), false);
}

// Independent reference for triangles in general position: they meet when
// an edge of one passes through the other, decided with signed volumes.
double volume(Vec3 a, Vec3 b, Vec3 c, Vec3 d) {
  const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
  const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
  const double wx = d.x - a.x, wy = d.y - a.y, wz = d.z - a.z;
  return ux * (vy * wz - vz * wy) - uy * (vx * wz - vz * wx) + uz * (vx * wy - vy * wx);
}

bool segmentThroughTriangle(Vec3 p, Vec3 q, const Triangle& t) {
  const Vec3 &a = t.corners[0], &b = t.corners[1], &c = t.corners[2];
  if ((volume(a, b, c, p) > 0) == (volume(a, b, c, q) > 0)) return false;
  const double s1 = volume(p, q, a, b), s2 = volume(p, q, b, c), s3 = volume(p, q, c, a);
  return (s1 > 0 && s2 > 0 && s3 > 0) || (s1 < 0 && s2 < 0 && s3 < 0);
}

bool edgesThrough(const Triangle& a, const Triangle& b) {
  for (int i = 0; i < 3; ++i) {
    if (segmentThroughTriangle(a.corners[i], a.corners[(i + 1) % 3], b)) return true;
  }
  return false;
}

TEST(TrianglesTouch, AgreesWithEdgeThroughTriangleReferenceOnRandomTriangles) {
  std::mt19937 random(1234);
  std::uniform_real_distribution<float> coordinate(-1.0f, 1.0f);
  auto randomTriangle = [&] {
    Triangle t;
    for (Vec3& c : t.corners) c = Vec3{coordinate(random), coordinate(random), coordinate(random)};
    return t;
  };
  int touching = 0;
  for (int i = 0; i < 20000; ++i) {
    const Triangle a = randomTriangle(), b = randomTriangle();
    const bool expected = edgesThrough(a, b) || edgesThrough(b, a);
    ASSERT_EQ(trianglesTouch(a, b), expected) << "case " << i;
    touching += expected;
  }
  // Both answers must be common for the comparison to mean anything.
  EXPECT_GT(touching, 2000);
  EXPECT_LT(touching, 18000);
}

TEST(RayHitsTriangle, HitsInsideTheSegmentOnly) {
  float t = -1.0f;
  EXPECT_TRUE(rayHitsTriangle({1, 5, 1}, {0, -1, 0}, floorTriangle, 0.0f, 100.0f, t));
  EXPECT_FLOAT_EQ(t, 5.0f);
  EXPECT_TRUE(rayHitsTriangle({0, 5, 2}, {0, -1, 0}, floorTriangle, 0.0f, 100.0f, t));  // on an edge
  EXPECT_FALSE(rayHitsTriangle({3, 5, 3}, {0, -1, 0}, floorTriangle, 0.0f, 100.0f, t));  // outside
  EXPECT_FALSE(rayHitsTriangle({1, 5, 1}, {0, -1, 0}, floorTriangle, 0.0f, 4.0f, t));    // too short
  EXPECT_FALSE(rayHitsTriangle({1, 5, 1}, {0, 1, 0}, floorTriangle, 0.0f, 100.0f, t));   // behind
  EXPECT_TRUE(rayHitsTriangle({1, 5, 1}, {0, 1, 0}, floorTriangle, -10.0f, 0.0f, t));    // negative range
  EXPECT_FALSE(rayHitsTriangle({-1, 0, 1}, {1, 0, 0}, floorTriangle, 0.0f, 100.0f, t));  // in the plane
  EXPECT_FALSE(rayHitsTriangle({1, 5, 1}, {0, 0, 0}, floorTriangle, 0.0f, 100.0f, t));   // no direction
}

}  // namespace
}  // namespace coldet
