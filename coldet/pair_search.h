#pragma once
// Finding a touching pair of triangles between two models.
//
// Rule for which pair is reported when several touch: the pair with the
// smallest index on the queried model and, among those, the smallest index
// on the other model. The answer therefore depends only on the triangles and
// transforms, never on the shape of the trees or the order of the search.

#include <cstdint>

#include "coldet/triangle_tree.h"
#include "coldet/vector_math.h"

namespace coldet {

struct TrianglePair {
  int32_t queried, other;
};

// One side of a query: a model's tree and the transform that carries its
// triangles into the frame in which the search runs.
struct SearchSide {
  const TriangleTree* tree;
  Affine toFrame;
};

// The tree search. `fixed` must have the identity as toFrame (its boxes are
// used as they are); `moving` carries any transform. `fixedIsQueried` says
// which of the two is the queried model for the reporting rule.
bool findPairInTrees(const SearchSide& fixed, const SearchSide& moving, bool fixedIsQueried,
                     TrianglePair& pair);

// The same answer by testing every pair of triangles; the reference for the
// tree search and the path for transforms that cannot be inverted.
bool findPairByAllPairs(const SearchSide& queried, const SearchSide& other, TrianglePair& pair);

}  // namespace coldet
