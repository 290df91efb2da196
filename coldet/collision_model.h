#pragma once
// The library's one implementation of CollisionModel3D.
//
// Filling: the triangles added since the previous finalize() become the
// model at the next finalize(); until its first finalize() a model is empty.
// So a model that is filled again (addTriangle after finalize, then
// finalize) holds only the new triangles, and a finalize() without new
// triangles empties it.

#include <vector>

#include "coldet/coldet.h"
#include "coldet/pair_search.h"
#include "coldet/triangle_tree.h"
#include "coldet/vector_math.h"

namespace coldet {

class CollisionModel final : public CollisionModel3D {
 public:
  void addTriangle(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                   float z3) override;
  void finalize() override;
  void setTransform(const float matrix[16]) override;
  bool collision(CollisionModel3D* other, int accuracyDepth = -1, int maxProcessingTime = 0,
                 const float* otherTransform = nullptr) override;
  // `closest` does not change the answer (no hit point is reported), so any
  // hit ends the search.
  bool rayCollision(const float origin[3], const float direction[3], bool closest = false,
                    float segmentMin = 0.0f, float segmentMax = 3.4e38f) override;
  bool getCollidingTriangles(int& t1, int& t2) override;

  // The pair that collision() would report, found by testing all pairs in
  // the same frame; the reference for tests and benchmarks. Does not change
  // the pair kept for getCollidingTriangles.
  bool collisionByAllPairs(CollisionModel3D* other, const float* otherTransform,
                           TrianglePair& pair) const;

 private:
  bool search(CollisionModel3D* other, const float* otherTransform, bool allPairs,
              TrianglePair& pair) const;

  std::vector<Triangle> pending_;
  TriangleTree tree_;
  Affine transform_ = Affine::identity();
  bool hasPair_ = false;
  TrianglePair pair_{0, 0};
};

}  // namespace coldet
