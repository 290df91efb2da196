#include "coldet/collision_model.h"

#include <gtest/gtest.h>

#include <utility>

#include "tests/unit/coldet/gl_matrices.h"

namespace coldet {
namespace {

const float above[3] = {0.5f, 0.5f, 5}, down[3] = {0, 0, -1};

// A unit square in the plane z = zPlane (triangle 0 below its diagonal x = y, 1 above), and a
// small triangle standing through (x, y) of z = 0.
void addSquare(CollisionModel3D& m, float zPlane) {
  m.addTriangle(0, 0, zPlane, 1, 0, zPlane, 1, 1, zPlane);
  m.addTriangle(0, 0, zPlane, 0, 1, zPlane, 1, 1, zPlane);
}

void addNeedle(CollisionModel3D& m, float x, float y) { m.addTriangle(x, y, -0.1f, x, y, 0.1f, x + 0.01f, y + 0.01f, 0.1f); }

class WallAndNeedle : public ::testing::Test {
 protected:
  void SetUp() override {
    addSquare(wall, 0);
    wall.finalize();
    addNeedle(needle, 0.2f, 0.5f);  // through wall triangle 1
    addNeedle(needle, 0.5f, 0.2f);  // through wall triangle 0
    needle.finalize();
  }
  CollisionModel wall, needle;
};

struct ForeignModel : CollisionModel3D {
  void addTriangle(float, float, float, float, float, float, float, float, float) override {}
  void finalize() override {}
  void setTransform(const float*) override {}
  bool collision(CollisionModel3D*, int, int, const float*) override { return true; }
  bool rayCollision(const float*, const float*, bool, float, float) override { return true; }
  bool getCollidingTriangles(int&, int&) override { return true; }
};

TEST_F(WallAndNeedle, EmptyUnfinishedAndForeignModelsNeverCollide) {
  CollisionModel empty, unfinished;
  ForeignModel foreign;
  empty.finalize();
  addSquare(unfinished, 0);  // never finalized
  for (CollisionModel* other : {&empty, &unfinished}) {
    EXPECT_FALSE(needle.collision(other));
    EXPECT_FALSE(other->collision(&needle));
  }
  EXPECT_FALSE(needle.collision(&foreign));
}

TEST_F(WallAndNeedle, UsesTheCurrentTransformsOfBothModelsEvenSingularOnes) {
  // Flattened onto z = 0 the needle stays on the wall; the wall flattened onto y = 5 moves away.
  const GlMatrix flatZ = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, flatY = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 5, 0, 1};
  needle.setTransform(flatZ.data());
  EXPECT_TRUE(wall.collision(&needle));
  wall.setTransform(flatY.data());
  int t1 = -1, t2 = -1;
  EXPECT_FALSE(wall.collision(&needle) || wall.getCollidingTriangles(t1, t2)) << "a query that finds nothing forgets the pair";
  wall.setTransform(flatZ.data());  // leaves the wall where it is
  EXPECT_TRUE(wall.rayCollision(above, down));
  needle.setTransform(translationMatrix(0, 2, 0).data());
  EXPECT_FALSE(wall.collision(&needle));
  wall.setTransform(translationMatrix(0, 2, 0.05f).data());  // both moved up: touching again
  EXPECT_TRUE(wall.collision(&needle));
  EXPECT_TRUE(needle.collision(&wall));
  EXPECT_FALSE(needle.collision(&wall, -1, 0, translationMatrix(3, 0, 0).data()));  // replaces wall's transform
  EXPECT_TRUE(needle.collision(&wall));                                             // only for that query
}

TEST_F(WallAndNeedle, FillingAgainStartsOver) {
  addSquare(wall, 5);  // a new filling: only the far square
  EXPECT_TRUE(wall.collision(&needle)) << "the old triangles stay until finalize";
  wall.finalize();
  EXPECT_FALSE(wall.collision(&needle));
  wall.finalize();  // a filling without triangles empties the model
  EXPECT_FALSE(wall.rayCollision(above, down));
}

TEST_F(WallAndNeedle, RayHitsAndMissesInCommonSpace) {
  const float movedAbove[3] = {11.5f, 1.5f, 5};
  // Scaled by 3 and moved 10 along x; the ray parameter stays that of common space: the wall is still 5 away.
  wall.setTransform(GlMatrix{3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 3, 0, 10, 0, 0, 1}.data());
  EXPECT_FALSE(wall.rayCollision(above, down));
  EXPECT_TRUE(wall.rayCollision(movedAbove, down, false, 4.9f, 5.1f));
  EXPECT_FALSE(wall.rayCollision(movedAbove, down, false, 0.0f, 4.9f));
}

// Of the pairs that touch, the lowest (queried, other) one in insertion order,
// named queried first, whichever model is queried. (The game queries its
// small player box against the world, which the demos see.)
TEST_F(WallAndNeedle, GivesTheLowestPairQueriedTriangleFirst) {
  int t1 = -1, t2 = -1;
  ASSERT_TRUE(wall.collision(&needle) && wall.getCollidingTriangles(t1, t2));
  EXPECT_EQ(std::make_pair(t1, t2), std::make_pair(0, 1));
  ASSERT_TRUE(needle.collision(&wall) && needle.getCollidingTriangles(t1, t2));
  EXPECT_EQ(std::make_pair(t1, t2), std::make_pair(0, 1));
}

}  // namespace
}  // namespace coldet
