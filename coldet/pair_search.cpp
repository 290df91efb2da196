#include "coldet/pair_search.h"

#include <cstdint>

#include "coldet/triangle_tests.h"

namespace coldet {
namespace {

// Pairs ordered by (queried index, other index) as one number.
uint64_t orderKey(int32_t queried, int32_t other) {
  return (uint64_t(uint32_t(queried)) << 32) | uint32_t(other);
}

class TreePairSearch {
 public:
  TreePairSearch(const SearchSide& fixed, const SearchSide& moving, bool fixedIsQueried)
      : fixed_(*fixed.tree), moving_(*moving.tree), toFixed_(moving.toFrame), fixedIsQueried_(fixedIsQueried) {}

  bool run(TrianglePair& pair) {
    if (fixed_.empty() || moving_.empty()) return false;
    visit(TriangleTree::root, TriangleTree::root);
    if (!found_) return false;
    pair = best_;
    return true;
  }

 private:
  uint64_t key(int32_t fixedIndex, int32_t movingIndex) const {
    return fixedIsQueried_ ? orderKey(fixedIndex, movingIndex) : orderKey(movingIndex, fixedIndex);
  }

  void visit(int32_t f, int32_t m) {
    const TreeNode& nf = fixed_.node(f);
    const TreeNode& nm = moving_.node(m);
    // No pair below these nodes can come before the best one found so far.
    if (found_ && key(nf.lowestIndex, nm.lowestIndex) >= bestKey_) return;
    if (!nf.bounds.overlaps(nm.bounds.transformed(toFixed_))) return;
    if (nf.isLeaf() && nm.isLeaf()) {
      testLeaves(nf, nm);
      return;
    }
    const bool splitFixed = nm.isLeaf() || (!nf.isLeaf() && nf.count >= nm.count);
    if (splitFixed) {
      visitInOrder(fixed_, nf, [&](int32_t child) { visit(child, m); });
    } else {
      visitInOrder(moving_, nm, [&](int32_t child) { visit(f, child); });
    }
  }

  // The child with the lower indices first, so the best pair is found early
  // and prunes the rest.
  template <class Visit>
  static void visitInOrder(const TriangleTree& tree, const TreeNode& parent, Visit visitChild) {
    const bool leftFirst = tree.node(parent.left).lowestIndex <= tree.node(parent.right).lowestIndex;
    visitChild(leftFirst ? parent.left : parent.right);
    visitChild(leftFirst ? parent.right : parent.left);
  }

  void testLeaves(const TreeNode& nf, const TreeNode& nm) {
    for (int32_t j = nm.first; j < nm.first + nm.count; ++j) {
      const int32_t movingIndex = moving_.triangleAt(j);
      const Triangle movingTriangle = toFixed_.apply(moving_.triangle(movingIndex));
      for (int32_t i = nf.first; i < nf.first + nf.count; ++i) {
        const int32_t fixedIndex = fixed_.triangleAt(i);
        const uint64_t k = key(fixedIndex, movingIndex);
        if (found_ && k >= bestKey_) continue;
        if (trianglesTouch(fixed_.triangle(fixedIndex), movingTriangle)) {
          found_ = true;
          bestKey_ = k;
          best_ = fixedIsQueried_ ? TrianglePair{fixedIndex, movingIndex} : TrianglePair{movingIndex, fixedIndex};
        }
      }
    }
  }

  const TriangleTree& fixed_;
  const TriangleTree& moving_;
  Affine toFixed_;
  bool fixedIsQueried_;
  bool found_ = false;
  uint64_t bestKey_ = 0;
  TrianglePair best_{0, 0};
};

}  // namespace

bool findPairInTrees(const SearchSide& fixed, const SearchSide& moving, bool fixedIsQueried,
                     TrianglePair& pair) {
  return TreePairSearch(fixed, moving, fixedIsQueried).run(pair);
}

bool findPairByAllPairs(const SearchSide& queried, const SearchSide& other, TrianglePair& pair) {
  const std::vector<Triangle>& a = queried.tree->triangles();
  const std::vector<Triangle>& b = other.tree->triangles();
  std::vector<Triangle> otherInFrame(b.size());
  for (size_t j = 0; j < b.size(); ++j) otherInFrame[j] = other.toFrame.apply(b[j]);
  for (size_t i = 0; i < a.size(); ++i) {
    const Triangle t = queried.toFrame.apply(a[i]);
    for (size_t j = 0; j < b.size(); ++j) {
      if (trianglesTouch(t, otherInFrame[j])) {
        pair = TrianglePair{int32_t(i), int32_t(j)};
        return true;
      }
    }
  }
  return false;
}

}  // namespace coldet
