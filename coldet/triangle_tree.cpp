#include "coldet/triangle_tree.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "coldet/triangle_tests.h"

namespace coldet {
namespace {

constexpr int32_t leafSize = 4;

// Entry and exit of the ray on a box by the slab method; false when it
// misses the box within [tMin, tMax].
bool rayMeetsBounds(const Bounds& b, Vec3 origin, Vec3 inverseDirection, float tMin, float tMax) {
  for (int axis = 0; axis < 3; ++axis) {
    const float o = component(origin, axis), inv = component(inverseDirection, axis);
    float t0 = (component(b.low, axis) - o) * inv;
    float t1 = (component(b.high, axis) - o) * inv;
    // A direction component of 0 gives inf * 0 = NaN for an origin on the
    // slab's face; such a ray runs inside the slab's plane, so it is kept.
    if (std::isnan(t0) || std::isnan(t1)) continue;
    if (t0 > t1) std::swap(t0, t1);
    tMin = std::max(tMin, t0);
    tMax = std::min(tMax, t1);
    if (tMin > tMax) return false;
  }
  return true;
}

// Centres of triangles with NaN corners sort last, keeping the order strict.
float sortKey(float centre) { return std::isnan(centre) ? INFINITY : centre; }

}  // namespace

void TriangleTree::build(std::vector<Triangle> triangles) {
  triangles_ = std::move(triangles);
  nodes_.clear();
  order_.resize(triangles_.size());
  std::iota(order_.begin(), order_.end(), 0);
  if (triangles_.empty()) return;
  BuildInput input{std::vector<Vec3>(triangles_.size()), std::vector<Bounds>(triangles_.size())};
  for (size_t i = 0; i < triangles_.size(); ++i) {
    const Triangle& t = triangles_[i];
    input.centres[i] = (t.corners[0] + t.corners[1] + t.corners[2]) * (1.0f / 3.0f);
    input.bounds[i] = boundsOf(t);
  }
  nodes_.reserve(2 * triangles_.size() / leafSize + 2);
  buildNode(0, static_cast<int32_t>(triangles_.size()), input);
}

// A node's box and lowest index gather those of its triangles: a leaf's
// directly, an inner node's from its two children once they are built, so
// each triangle's box is visited once rather than once per tree level.
int32_t TriangleTree::buildNode(int32_t first, int32_t count, const BuildInput& input) {
  const int32_t index = static_cast<int32_t>(nodes_.size());
  nodes_.push_back(TreeNode{});
  TreeNode node{input.bounds[order_[first]], first, count, -1, -1, order_[first]};
  if (count <= leafSize) {
    for (int32_t k = first; k < first + count; ++k) {
      const Bounds& b = input.bounds[order_[k]];
      node.bounds = Bounds{minimum(node.bounds.low, b.low), maximum(node.bounds.high, b.high)};
      node.lowestIndex = std::min(node.lowestIndex, order_[k]);
    }
  } else {
    const std::vector<Vec3>& centres = input.centres;
    Bounds centreBounds{centres[order_[first]], centres[order_[first]]};
    for (int32_t k = first; k < first + count; ++k) {
      const Vec3 c = centres[order_[k]];
      centreBounds = Bounds{minimum(centreBounds.low, c), maximum(centreBounds.high, c)};
    }
    const Vec3 spread = centreBounds.high - centreBounds.low;
    const int axis = (spread.x >= spread.y && spread.x >= spread.z) ? 0 : (spread.y >= spread.z ? 1 : 2);
    const int32_t half = count / 2;
    // Ties on the centre are broken by insertion index, so the tree (and
    // with it every answer) depends only on the triangles.
    std::nth_element(order_.begin() + first, order_.begin() + first + half, order_.begin() + first + count,
                     [&](int32_t a, int32_t b) {
                       const float ca = sortKey(component(centres[a], axis));
                       const float cb = sortKey(component(centres[b], axis));
                       return ca < cb || (!(cb < ca) && a < b);
                     });
    node.left = buildNode(first, half, input);
    node.right = buildNode(first + half, count - half, input);
    const TreeNode& left = nodes_[node.left];
    const TreeNode& right = nodes_[node.right];
    node.bounds = Bounds{minimum(left.bounds.low, right.bounds.low), maximum(left.bounds.high, right.bounds.high)};
    node.lowestIndex = std::min(left.lowestIndex, right.lowestIndex);
  }
  nodes_[index] = node;
  return index;
}

bool TriangleTree::rayHit(Vec3 origin, Vec3 direction, float tMin, float tMax) const {
  if (empty()) return false;
  const Vec3 inverse{1.0f / direction.x, 1.0f / direction.y, 1.0f / direction.z};
  return rayHitNode(root, origin, inverse, direction, tMin, tMax);
}

bool TriangleTree::rayHitNode(int32_t n, Vec3 origin, Vec3 inverseDirection, Vec3 direction, float tMin,
                              float tMax) const {
  const TreeNode& node = nodes_[n];
  if (!rayMeetsBounds(node.bounds, origin, inverseDirection, tMin, tMax)) return false;
  if (!node.isLeaf()) {
    return rayHitNode(node.left, origin, inverseDirection, direction, tMin, tMax) ||
           rayHitNode(node.right, origin, inverseDirection, direction, tMin, tMax);
  }
  for (int32_t k = node.first; k < node.first + node.count; ++k) {
    float t;
    if (rayHitsTriangle(origin, direction, triangles_[order_[k]], tMin, tMax, t)) return true;
  }
  return false;
}

}  // namespace coldet
