#include "coldet/triangle_tests.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace coldet {
namespace {

Triangle tri(Vec3 a, Vec3 b, Vec3 c) { return Triangle{{a, b, c}}; }

const Triangle floorTriangle = tri({0, 0, 0}, {4, 0, 0}, {0, 0, 4});
const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();

TEST(TrianglesTouch, HandMadeCasesInBothArgumentOrders) {
  const struct { const char* what; Triangle a, b; bool touch; } cases[] = {
      {"corner to corner", floorTriangle, tri({4, 0, 0}, {5, 1, 0}, {5, 0, 1}), true},
      {"corner on an edge", floorTriangle, tri({2, 0, 0}, {2, 1, -1}, {3, 1, -1}), true},
      {"corner on the face", floorTriangle, tri({1, 0, 1}, {1, 2, 1}, {2, 2, 1}), true},
      {"shared edge, folded", floorTriangle, tri({0, 0, 0}, {4, 0, 0}, {2, 3, 0}), true},
      {"coplanar, overlapping", floorTriangle, tri({1, 0, 1}, {5, 0, 1}, {1, 0, 5}), true},
      {"coplanar, contained", floorTriangle, tri({0.5f, 0, 0.5f}, {1, 0, 0.5f}, {0.5f, 0, 1}), true},
      {"coplanar, corner to corner", floorTriangle, tri({0, 0, 0}, {-4, 0, 0}, {0, 0, -4}), true},
      {"coplanar, apart across the hypotenuse (only an in-plane edge normal separates)", floorTriangle, tri({3, 0, 3}, {6, 0, 3}, {3, 0, 6}), false},
      {"parallel plane", floorTriangle, tri({0, 0.001f, 0}, {4, 0.001f, 0}, {0, 0.001f, 4}), false},
      {"stops short of the face", floorTriangle, tri({1, 0.0001f, 1}, {2, 1, 1}, {1, 1, 2}), false},
      {"just beside a corner", floorTriangle, tri({4.001f, 0, 0}, {5, 1, 0}, {5, -1, 0}), false},
      {"segment through the face", floorTriangle, tri({1, -1, 1}, {1, 1, 1}, {1, 0, 1}), true},
      {"point on the face", floorTriangle, tri({1, 0, 1}, {1, 0, 1}, {1, 0, 1}), true},
      {"point above the face", floorTriangle, tri({1, 0.5f, 1}, {1, 0.5f, 1}, {1, 0.5f, 1}), false},
      {"segment in the plane across an edge", floorTriangle, tri({-1, 0, 1}, {1, 0, 1}, {0, 0, 1}), true},
      {"segment in the plane outside", floorTriangle, tri({3, 0, 3}, {5, 0, 3}, {4, 0, 3}), false},
      {"crossing segments, the middle corners last", tri({1, -1, 1}, {1, 1, 1}, {1, 0.5f, 1}), tri({0, 0, 1}, {2, 0, 1}, {1.5f, 0, 1}), true},
      {"coplanar segments apart", tri({0, 0, 0}, {1, 0, 0}, {1, 0, 0}), tri({2, -1, 0}, {2, 1, 0}, {2, 1, 0}), false},
      {"collinear overlapping segments", tri({0, 0, 0}, {2, 0, 0}, {1, 0, 0}), tri({1, 0, 0}, {3, 0, 0}, {3, 0, 0}), true},
      {"a corner not a number", floorTriangle, tri({nan, 0, 0}, {1, 0, 1}, {1, 1, 1}), false},
      {"infinite corners", floorTriangle, tri({1, -inf, 1}, {1, inf, 1}, {2, 0, 1}), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(trianglesTouch(c.a, c.b), c.touch);
    EXPECT_EQ(trianglesTouch(c.b, c.a), c.touch);
  }
}

// For triangles in general position: they meet when an edge of one passes
// through the other, decided with signed volumes.
double volume(Vec3 a, Vec3 b, Vec3 c, Vec3 d) {
  const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
  const double wx = d.x - a.x, wy = d.y - a.y, wz = d.z - a.z;
  return ux * (vy * wz - vz * wy) - uy * (vx * wz - vz * wx) + uz * (vx * wy - vy * wx);
}

bool edgeThrough(const Triangle& a, const Triangle& b) {
  for (int i = 0; i < 3; ++i) {
    const Vec3 p = a.corners[i], q = a.corners[(i + 1) % 3], &u = b.corners[0], &v = b.corners[1], &w = b.corners[2];
    if ((volume(u, v, w, p) > 0) == (volume(u, v, w, q) > 0)) continue;
    const double s1 = volume(p, q, u, v), s2 = volume(p, q, v, w), s3 = volume(p, q, w, u);
    if ((s1 > 0 && s2 > 0 && s3 > 0) || (s1 < 0 && s2 < 0 && s3 < 0)) return true;
  }
  return false;
}

TEST(TrianglesTouch, AgreesWithEdgeThroughTriangleReferenceOnRandomTriangles) {
  std::mt19937 random(1234);
  std::uniform_real_distribution<float> coordinate(-1.0f, 1.0f);
  int touching = 0;
  for (int i = 0; i < 20000; ++i) {
    Triangle a, b;
    for (Triangle* t : {&a, &b})
      for (Vec3& c : t->corners) c = Vec3{coordinate(random), coordinate(random), coordinate(random)};
    const bool expected = edgeThrough(a, b) || edgeThrough(b, a);
    ASSERT_EQ(trianglesTouch(a, b), expected) << "case " << i;
    touching += expected;
  }
  EXPECT_GT(touching, 2000);  // both answers common enough to mean something
  EXPECT_LT(touching, 18000);
}

TEST(RayHitsTriangle, HitsInsideTheSegmentOnly) {
  float t = -1.0f;
  const Vec3 above{1, 5, 1}, down{0, -1, 0}, up{0, 1, 0};
  EXPECT_TRUE(rayHitsTriangle(above, down, floorTriangle, 0.0f, 100.0f, t));
  EXPECT_FLOAT_EQ(t, 5.0f);
  EXPECT_TRUE(rayHitsTriangle({0, 5, 2}, down, floorTriangle, 0.0f, 100.0f, t));   // on an edge
  EXPECT_FALSE(rayHitsTriangle({3, 5, 3}, down, floorTriangle, 0.0f, 100.0f, t));  // outside
  EXPECT_FALSE(rayHitsTriangle(above, down, floorTriangle, 0.0f, 4.0f, t));        // too short
  EXPECT_FALSE(rayHitsTriangle(above, up, floorTriangle, 0.0f, 100.0f, t));        // behind
  EXPECT_TRUE(rayHitsTriangle(above, up, floorTriangle, -10.0f, 0.0f, t));         // negative range
  EXPECT_FALSE(rayHitsTriangle({-1, 0, 1}, {1, 0, 0}, floorTriangle, 0.0f, 100.0f, t));  // in the plane
  EXPECT_FALSE(rayHitsTriangle(above, {0, 0, 0}, floorTriangle, 0.0f, 100.0f, t));       // no direction
}

}  // namespace
}  // namespace coldet
