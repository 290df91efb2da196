// The model interface: filling, transforms of both models, the reported
// pair, rays, and the tree search against the all-pairs reference.

#include "coldet/collision_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

namespace coldet {
namespace {

using Matrix = std::array<float, 16>;

// Column-major matrices as OpenGL returns them.
Matrix translation(float x, float y, float z) { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}; }
Matrix rotationY(float degrees, float x = 0, float y = 0, float z = 0) {
  const float c = std::cos(degrees * 3.14159265f / 180.0f), s = std::sin(degrees * 3.14159265f / 180.0f);
  return {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, x, y, z, 1};
}

struct Model {
  std::unique_ptr<CollisionModel3D> model{newCollisionModel3D(false)};
  CollisionModel3D* operator->() { return model.get(); }
  CollisionModel3D* get() { return model.get(); }
};

// A unit square in the plane z = zPlane, as two triangles.
void addSquare(CollisionModel3D* m, float zPlane) {
  m->addTriangle(0, 0, zPlane, 1, 0, zPlane, 1, 1, zPlane);
  m->addTriangle(0, 0, zPlane, 0, 1, zPlane, 1, 1, zPlane);
}

// A small vertical triangle through the point (x, y, 0) of the z = 0 plane.
void addNeedle(CollisionModel3D* m, float x, float y) {
  m->addTriangle(x, y, -0.1f, x, y, 0.1f, x + 0.01f, y + 0.01f, 0.1f);
}

// A unit square in z = 0 and a needle through it.
class WallAndNeedle : public ::testing::Test {
 protected:
  void SetUp() override {
    addSquare(wall.get(), 0);
    wall->finalize();
    addNeedle(needle.get(), 0.5f, 0.2f);
    needle->finalize();
  }
  Model wall, needle;
};

TEST(CollisionModel, EmptyOrUnfinishedModelsNeverCollide) {
  Model empty, square, unfinished;
  empty->finalize();
  addSquare(square.get(), 0);
  square->finalize();
  addSquare(unfinished.get(), 0);
  EXPECT_FALSE(empty->collision(square.get()));
  EXPECT_FALSE(square->collision(empty.get()));
  EXPECT_FALSE(unfinished->collision(square.get()));
  EXPECT_FALSE(square->collision(unfinished.get()));
  const float origin[3] = {0.5f, 0.5f, 5}, down[3] = {0, 0, -1};
  EXPECT_FALSE(empty->rayCollision(origin, down));
  int t1 = 77, t2 = 88;
  EXPECT_FALSE(square->getCollidingTriangles(t1, t2));
  EXPECT_EQ(t1, 77);
  EXPECT_EQ(t2, 88);
}

TEST(CollisionModel, ReportsIndicesInInsertionOrderByTheLowestPairRule) {
  Model wall, needles;
  for (int i = 0; i < 5; ++i) addSquare(wall.get(), 0);  // ten triangles, five copies
  wall->finalize();
  addNeedle(needles.get(), 5, 5);      // 0: far away
  addNeedle(needles.get(), 0.8f, 0.1f);  // 1: below the diagonal only
  addNeedle(needles.get(), 0.1f, 0.8f);  // 2: above the diagonal only
  needles->finalize();
  int t1 = -1, t2 = -1;
  ASSERT_TRUE(wall->collision(needles.get()));
  ASSERT_TRUE(wall->getCollidingTriangles(t1, t2));
  EXPECT_EQ(t1, 0);  // the first square's lower triangle, first copy
  EXPECT_EQ(t2, 1);
  ASSERT_TRUE(needles->collision(wall.get()));
  ASSERT_TRUE(needles->getCollidingTriangles(t1, t2));
  EXPECT_EQ(t1, 1);
  EXPECT_EQ(t2, 0);
  // A query that finds nothing forgets the pair.
  const Matrix away = translation(0, 0, 3);
  EXPECT_FALSE(needles->collision(wall.get(), -1, 0, away.data()));
  EXPECT_FALSE(needles->getCollidingTriangles(t1, t2));
}

TEST_F(WallAndNeedle, UsesTheCurrentTransformsOfBothModels) {
  ASSERT_TRUE(wall->collision(needle.get()));
  const Matrix up = translation(0, 2, 0), upAgain = translation(0, 2, 0.05f), sideways = translation(3, 0, 0);
  needle->setTransform(up.data());
  EXPECT_FALSE(wall->collision(needle.get()));
  wall->setTransform(upAgain.data());  // both moved up: touching again
  EXPECT_TRUE(wall->collision(needle.get()));
  EXPECT_TRUE(needle->collision(wall.get()));
  EXPECT_FALSE(needle->collision(wall.get(), -1, 0, sideways.data()));  // replaces wall's transform
  EXPECT_TRUE(needle->collision(wall.get()));                           // only for that query
}

TEST(CollisionModel, RotationsTurnTheModels) {
  Model wall, needle;
  addSquare(wall.get(), 0);  // spans x 0..1 in z = 0
  wall->finalize();
  needle->addTriangle(-0.1f, 0.5f, 0.5f, 0.1f, 0.5f, 0.5f, 0.1f, 0.6f, 0.5f);  // crosses x = 0 at z = 0.5
  needle->finalize();
  EXPECT_FALSE(wall->collision(needle.get()));
  // Turned 90 degrees about Y, the wall lies in x = 0 and spans z 0..1.
  const Matrix turn = rotationY(-90.0f);
  wall->setTransform(turn.data());
  EXPECT_TRUE(wall->collision(needle.get()));
  needle->setTransform(turn.data());  // the same turn for both: apart again
  EXPECT_FALSE(wall->collision(needle.get()));
}

TEST_F(WallAndNeedle, SingularTransformsStillGiveTheReferenceAnswer) {
  // Flattening the needle onto z = 0 keeps it on the wall; flattening the
  // wall onto y = 5 moves it away.
  const Matrix flatZ = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  const Matrix flatY = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 5, 0, 1};
  needle->setTransform(flatZ.data());
  EXPECT_TRUE(wall->collision(needle.get()));
  wall->setTransform(flatY.data());
  EXPECT_FALSE(wall->collision(needle.get()));
  // Flattening along z leaves the wall where it is; a ray still finds it.
  wall->setTransform(flatZ.data());
  const float origin[3] = {0.5f, 0.5f, 5}, down[3] = {0, 0, -1}, aside[3] = {2.5f, 0.5f, 5};
  EXPECT_TRUE(wall->rayCollision(origin, down));
  EXPECT_FALSE(wall->rayCollision(aside, down));
}

TEST_F(WallAndNeedle, FillingAgainStartsOver) {
  ASSERT_TRUE(wall->collision(needle.get()));
  addSquare(wall.get(), 5);  // new filling: only the far square
  EXPECT_TRUE(wall->collision(needle.get())) << "the old triangles stay until finalize";
  wall->finalize();
  EXPECT_FALSE(wall->collision(needle.get()));
  wall->finalize();  // a filling without triangles empties the model
  const float origin[3] = {0.5f, 0.5f, 9}, down[3] = {0, 0, -1};
  EXPECT_FALSE(wall->rayCollision(origin, down));
}

class ForeignModel : public CollisionModel3D {
  void addTriangle(float, float, float, float, float, float, float, float, float) override {}
  void finalize() override {}
  void setTransform(const float*) override {}
  bool collision(CollisionModel3D*, int, int, const float*) override { return true; }
  bool rayCollision(const float*, const float*, bool, float, float) override { return true; }
  bool getCollidingTriangles(int&, int&) override { return true; }
};

TEST(CollisionModel, AModelOfAnotherLibraryNeverCollides) {
  Model wall;
  addSquare(wall.get(), 0);
  wall->finalize();
  ForeignModel foreign;
  EXPECT_FALSE(wall->collision(&foreign));
  EXPECT_FALSE(wall->collision(nullptr));
}

TEST(CollisionModelRay, HitsAndMissesInCommonSpace) {
  Model wall;
  addSquare(wall.get(), 0);
  wall->finalize();
  const float origin[3] = {0.5f, 0.5f, 5}, down[3] = {0, 0, -1}, up[3] = {0, 0, 1};
  EXPECT_TRUE(wall->rayCollision(origin, down));
  EXPECT_TRUE(wall->rayCollision(origin, down, true));
  EXPECT_FALSE(wall->rayCollision(origin, up));
  EXPECT_FALSE(wall->rayCollision(origin, down, false, 0.0f, 4.0f));
  EXPECT_TRUE(wall->rayCollision(origin, down, false, 4.0f, 6.0f));
  const Matrix moved = translation(10, 0, 0);
  wall->setTransform(moved.data());
  EXPECT_FALSE(wall->rayCollision(origin, down));
  const float movedOrigin[3] = {10.5f, 0.5f, 5};
  EXPECT_TRUE(wall->rayCollision(movedOrigin, down));
  // Scaling keeps the ray parameter: the wall at z = 0 is still 5 away.
  const Matrix scaled = {3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 1};
  wall->setTransform(scaled.data());
  const float farOrigin[3] = {2.5f, 2.5f, 5};
  EXPECT_TRUE(wall->rayCollision(farOrigin, down, false, 4.9f, 5.1f));
  EXPECT_FALSE(wall->rayCollision(farOrigin, down, false, 0.0f, 4.9f));
}

// Random soups of small triangles, moved and turned at random: the tree
// search must give exactly the pair the all-pairs test gives.
TEST(CollisionModelSearch, TreeSearchMatchesAllPairsOnRandomScenes) {
  std::mt19937 random(99);
  std::uniform_real_distribution<float> position(-4.0f, 4.0f), offset(-0.4f, 0.4f), angle(0.0f, 360.0f);
  auto fill = [&](CollisionModel3D* m, int count) {
    for (int i = 0; i < count; ++i) {
      const float x = position(random), y = position(random), z = position(random);
      m->addTriangle(x, y, z, x + offset(random), y + offset(random), z + offset(random), x + offset(random),
                     y + offset(random), z + offset(random));
    }
    m->finalize();
  };
  int collisions = 0;
  for (int scene = 0; scene < 60; ++scene) {
    CollisionModel a, b;
    fill(&a, 400);
    fill(&b, 1 + scene * 7);
    const Matrix ta = rotationY(angle(random), offset(random), offset(random), offset(random));
    const Matrix tb = rotationY(angle(random), offset(random), offset(random), offset(random));
    a.setTransform(ta.data());
    b.setTransform(tb.data());
    for (CollisionModel* queried : {&a, &b}) {
      CollisionModel* other = queried == &a ? &b : &a;
      TrianglePair expected{-1, -1};
      const bool expectedHit = queried->collisionByAllPairs(other, nullptr, expected);
      ASSERT_EQ(queried->collision(other), expectedHit) << "scene " << scene;
      int t1 = -1, t2 = -1;
      ASSERT_EQ(queried->getCollidingTriangles(t1, t2), expectedHit);
      if (expectedHit) {
        EXPECT_EQ(t1, expected.queried) << "scene " << scene;
        EXPECT_EQ(t2, expected.other) << "scene " << scene;
      }
      collisions += expectedHit;
    }
  }
  EXPECT_GT(collisions, 30);
  EXPECT_LT(collisions, 115);
}

}  // namespace
}  // namespace coldet
