#include "coldet/collision_model.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "tests/unit/coldet/gl_matrices.h"

namespace coldet {
namespace {

const float above[3] = {0.5f, 0.5f, 5}, down[3] = {0, 0, -1};

// A unit square in the plane z = zPlane, and a small triangle standing through (x, y) of z = 0.
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
    addNeedle(needle, 0.5f, 0.2f);
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
  EXPECT_FALSE(needle.collision(nullptr));
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
  EXPECT_TRUE(wall.rayCollision(above, down));
  // Scaled by 3 and moved 10 along x; the ray parameter stays that of common space: the wall is still 5 away.
  wall.setTransform(GlMatrix{3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 3, 0, 10, 0, 0, 1}.data());
  EXPECT_FALSE(wall.rayCollision(above, down));
  EXPECT_TRUE(wall.rayCollision(movedAbove, down, false, 4.9f, 5.1f));
  EXPECT_FALSE(wall.rayCollision(movedAbove, down, false, 0.0f, 4.9f));
}

// Random soups of small triangles, moved and turned at random: the tree
// search must give exactly the pair the all-pairs test gives, the lowest
// (queried, other) pair in insertion order, whichever model is queried.
TEST(CollisionModelSearch, TreeSearchMatchesAllPairsOnRandomScenes) {
  std::mt19937 random(99);
  std::uniform_real_distribution<float> position(-4.0f, 4.0f), offset(-0.4f, 0.4f), angle(0.0f, 360.0f);
  auto fill = [&](CollisionModel& m, int count) {
    for (int i = 0; i < count; ++i) {
      const float x = position(random), y = position(random), z = position(random);
      m.addTriangle(x, y, z, x + offset(random), y + offset(random), z + offset(random), x + offset(random),
                    y + offset(random), z + offset(random));
    }
    m.finalize();
    m.setTransform(rotationYMatrix(angle(random), offset(random), offset(random), offset(random)).data());
  };
  int collisions = 0;
  for (int scene = 0; scene < 60; ++scene) {
    CollisionModel a, b;
    fill(a, 400);
    fill(b, 1 + scene * 7);
    for (auto [queried, other] : {std::make_pair(&a, &b), std::make_pair(&b, &a)}) {
      SCOPED_TRACE("scene " + std::to_string(scene));
      TrianglePair expected{-1, -1};
      const bool expectedHit = queried->collisionByAllPairs(other, nullptr, expected);
      int t1 = -1, t2 = -1;
      ASSERT_EQ(queried->collision(other), expectedHit);
      ASSERT_EQ(queried->getCollidingTriangles(t1, t2), expectedHit);
      const auto unchanged = std::make_pair(-1, -1);  // no pair leaves the arguments as they were
      EXPECT_EQ(std::make_pair(t1, t2), expectedHit ? std::make_pair(expected.queried, expected.other) : unchanged);
      collisions += expectedHit;
    }
  }
  EXPECT_GT(collisions, 30);  // both answers common enough to mean something
  EXPECT_LT(collisions, 115);
}

}  // namespace
}  // namespace coldet
