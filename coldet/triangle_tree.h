#pragma once
// A bounding-volume hierarchy over a model's triangles: a binary tree of
// axis-aligned boxes, split at the median of the triangle centres along the
// box's longest side, with up to four triangles per leaf. Each node also
// keeps the smallest insertion index below it, which lets the pair search
// find the lowest-numbered pair without visiting every contact.

#include <cstdint>
#include <vector>

#include "coldet/vector_math.h"

namespace coldet {

struct TreeNode {
  Bounds bounds;
  int32_t first, count;  // triangles order[first .. first + count) lie below
  int32_t left, right;   // children, or -1 for a leaf
  int32_t lowestIndex;   // smallest insertion index below this node

  bool isLeaf() const { return left < 0; }
};

class TriangleTree {
 public:
  // Takes the triangles in insertion order; index i stays triangle i.
  void build(std::vector<Triangle> triangles);

  bool empty() const { return nodes_.empty(); }
  const TreeNode& node(int32_t i) const { return nodes_[i]; }
  static constexpr int32_t root = 0;
  // Insertion index of the k-th triangle in tree order.
  int32_t triangleAt(int32_t k) const { return order_[k]; }
  const Triangle& triangle(int32_t index) const { return triangles_[index]; }
  const std::vector<Triangle>& triangles() const { return triangles_; }

  // Whether a ray given in this tree's frame meets a triangle with
  // tMin <= t <= tMax.
  bool rayHit(Vec3 origin, Vec3 direction, float tMin, float tMax) const;

 private:
  // Per triangle (by insertion index): its centre and its box.
  struct BuildInput {
    std::vector<Vec3> centres;
    std::vector<Bounds> bounds;
  };
  int32_t buildNode(int32_t first, int32_t count, const BuildInput& input);
  bool rayHitNode(int32_t n, Vec3 origin, Vec3 inverseDirection, Vec3 direction, float tMin,
                  float tMax) const;

  std::vector<Triangle> triangles_;
  std::vector<int32_t> order_;
  std::vector<TreeNode> nodes_;
};

}  // namespace coldet
