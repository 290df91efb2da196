#include "coldet/collision_model.h"

#include <utility>

#include "coldet/triangle_tests.h"

namespace coldet {

void CollisionModel::addTriangle(float x1, float y1, float z1, float x2, float y2, float z2, float x3,
                                 float y3, float z3) {
  pending_.push_back(Triangle{{{x1, y1, z1}, {x2, y2, z2}, {x3, y3, z3}}});
}

void CollisionModel::finalize() {
  tree_.build(std::move(pending_));
  pending_.clear();
  hasPair_ = false;
}

void CollisionModel::setTransform(const float matrix[16]) { transform_ = Affine::fromColumnMajor(matrix); }

bool CollisionModel::search(CollisionModel3D* other, const float* otherTransform, bool allPairs,
                            TrianglePair& pair) const {
  const auto* that = dynamic_cast<const CollisionModel*>(other);
  if (that == nullptr || tree_.empty() || that->tree_.empty()) return false;
  const Affine thatTransform = otherTransform != nullptr ? Affine::fromColumnMajor(otherTransform) : that->transform_;

  // Search in the frame of the larger model, whose boxes then need no
  // transform; if its transform cannot be inverted, in the other's frame;
  // if neither can, test all pairs in the common space.
  SearchSide mine{&tree_, transform_}, theirs{&that->tree_, thatTransform};
  bool mineFixed = tree_.triangles().size() >= that->tree_.triangles().size();
  Affine inverse;
  if (!invert(mineFixed ? transform_ : thatTransform, inverse)) {
    mineFixed = !mineFixed;
    if (!invert(mineFixed ? transform_ : thatTransform, inverse)) return findPairByAllPairs(mine, theirs, pair);
  }
  SearchSide& fixed = mineFixed ? mine : theirs;
  SearchSide& moving = mineFixed ? theirs : mine;
  moving.toFrame = compose(inverse, moving.toFrame);
  fixed.toFrame = Affine::identity();
  if (allPairs) return findPairByAllPairs(mine, theirs, pair);
  return findPairInTrees(fixed, moving, mineFixed, pair);
}

bool CollisionModel::collision(CollisionModel3D* other, int, int, const float* otherTransform) {
  TrianglePair pair;
  hasPair_ = search(other, otherTransform, false, pair);
  if (hasPair_) pair_ = pair;
  return hasPair_;
}

bool CollisionModel::collisionByAllPairs(CollisionModel3D* other, const float* otherTransform,
                                         TrianglePair& pair) const {
  return search(other, otherTransform, true, pair);
}

bool CollisionModel::rayCollision(const float origin[3], const float direction[3], bool, float segmentMin,
                                  float segmentMax) {
  if (tree_.empty()) return false;
  const Vec3 o{origin[0], origin[1], origin[2]}, d{direction[0], direction[1], direction[2]};
  // An affine map keeps the ray parameter t, so the segment bounds hold in
  // the model's own frame as well.
  Affine inverse;
  if (invert(transform_, inverse)) return tree_.rayHit(inverse.apply(o), inverse.applyLinear(d), segmentMin, segmentMax);
  for (const Triangle& t : tree_.triangles()) {
    float hit;
    if (rayHitsTriangle(o, d, transform_.apply(t), segmentMin, segmentMax, hit)) return true;
  }
  return false;
}

bool CollisionModel::getCollidingTriangles(int& t1, int& t2) {
  if (!hasPair_) return false;
  t1 = pair_.queried;
  t2 = pair_.other;
  return true;
}

}  // namespace coldet

CollisionModel3D* newCollisionModel3D(bool) { return new coldet::CollisionModel(); }
