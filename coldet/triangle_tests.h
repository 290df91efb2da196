#pragma once
// Exact tests on single triangles.

#include "coldet/vector_math.h"

namespace coldet {

// True when the two closed triangles share at least one point: crossing,
// touching at a corner or an edge, and overlapping in one plane all count.
// A zero-area triangle counts as the segment (or point) it covers.
bool trianglesTouch(const Triangle& a, const Triangle& b);

// Distance along the ray origin + t * direction to the triangle, when the
// ray meets it with tMin <= t <= tMax (edges included). A ray lying in the
// triangle's plane does not meet it.
bool rayHitsTriangle(Vec3 origin, Vec3 direction, const Triangle& t, float tMin, float tMax,
                     float& hitT);

}  // namespace coldet
