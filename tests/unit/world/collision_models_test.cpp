// The real player box against a real built world, placed the way the game
// places them: the world in eye space through the camera matrix, the box
// 0.25 ahead of the eye.

#include "world/collision_models.h"

#include <gtest/gtest.h>

#include "camera_matrix.h"
#include "level_text.h"
#include "world/world_geometry.h"

namespace {

// A lone cell (2, 2): X from 2 to 4, Z from -2 (Bottom) to -4 (Top); its
// centre is (3, -3).
class CollisionModels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(loadLevelText("X 3\nY 3\nLevel\n000\n010\n000\n"));
    buildWorld(worldCollisionModel, playerBoxModel, secondPlayerBoxModel);
    playerBoxModel->setTransform(playerBoxPlacement.data());
    secondPlayerBoxModel->setTransform(playerBoxPlacement.data());
  }

  bool touches(float eyeX, float eyeZ, float heading) {
    const GlMatrix view = cameraMatrix(eyeX, eyeZ, heading);
    worldCollisionModel->setTransform(view.data());
    return playerBoxModel->collision(worldCollisionModel, -1, 0, nullptr);
  }

  void expectContact(float eyeX, float eyeZ, float heading, CollisionSide boxSide, int32_t wallSide) {
    ASSERT_TRUE(touches(eyeX, eyeZ, heading));
    int boxTriangle = -1, worldTriangle = -1;
    ASSERT_TRUE(playerBoxModel->getCollidingTriangles(boxTriangle, worldTriangle));
    EXPECT_EQ(collisionSideOfBoxTriangle(boxTriangle), boxSide) << "box triangle " << boxTriangle;
    EXPECT_EQ(boxTriangle % 4, 0) << "the lowest index of the part";
    ASSERT_GE(worldTriangle, 0);
    ASSERT_LT(worldTriangle, worldTriangleCount);
    EXPECT_EQ(worldTriangles[worldTriangle].side, wallSide) << "world triangle " << worldTriangle;
  }
};

TEST_F(CollisionModels, ModelsExistFromStartAndAreDistinct) {
  ASSERT_NE(playerBoxModel, nullptr);
  ASSERT_NE(worldCollisionModel, nullptr);
  ASSERT_NE(secondPlayerBoxModel, nullptr);
  EXPECT_NE(playerBoxModel, worldCollisionModel);
  EXPECT_NE(playerBoxModel, secondPlayerBoxModel);
}

TEST_F(CollisionModels, StandingInTheMiddleOfACellTouchesNothing) {
  for (float heading : {0.0f, 45.0f, 90.0f, 180.0f, 270.0f, 333.0f}) EXPECT_FALSE(touches(3, -3, heading)) << heading;
}

TEST_F(CollisionModels, FacingAWallReportsTheFrontSpikeAndThatWall) {
  // The wall 0.3 ahead of the box's centre, 0.55 ahead of the eye: only the
  // front spike reaches it.
  expectContact(3, -4 + 0.55f, 0, collisionFront, wallTop);
  expectContact(2 + 0.55f, -3, 90, collisionFront, wallLeft);
  expectContact(3, -2 - 0.55f, 180, collisionFront, wallBottom);
  expectContact(4 - 0.55f, -3, 270, collisionFront, wallRight);
}

TEST_F(CollisionModels, SideAndBackContacts) {
  expectContact(2 + 0.3f, -3, 0, collisionLeft, wallLeft);
  expectContact(4 - 0.3f, -3, 0, collisionRight, wallRight);
  expectContact(3, -2 - 0.15f, 0, collisionBack, wallBottom);
}

TEST_F(CollisionModels, WorldIndicesFollowTheTriangleArray) {
  // Facing the Top wall: the reported triangle is the lowest-numbered one
  // the front spike touches, the Top wall's first triangle (after floor,
  // ceiling, Left and Right: index 8).
  ASSERT_TRUE(touches(3, -4 + 0.55f, 0));
  int boxTriangle = -1, worldTriangle = -1;
  ASSERT_TRUE(playerBoxModel->getCollidingTriangles(boxTriangle, worldTriangle));
  EXPECT_EQ(boxTriangle, 0);
  EXPECT_EQ(worldTriangle, 8);
}

TEST_F(CollisionModels, RebuildingRefillsTheModels) {
  ASSERT_TRUE(touches(3, -4 + 0.55f, 0));
  ASSERT_TRUE(loadLevelText("X 3\nY 3\n"));
  buildWorld(worldCollisionModel, playerBoxModel, secondPlayerBoxModel);
  ASSERT_EQ(worldTriangleCount, 0);
  playerBoxModel->setTransform(playerBoxPlacement.data());
  for (float heading : {0.0f, 90.0f, 180.0f}) EXPECT_FALSE(touches(3, -4 + 0.55f, heading));
  // The second box model holds the same box and finds the same contact.
  SetUp();
  ASSERT_TRUE(touches(3, -4 + 0.55f, 0));
  EXPECT_TRUE(secondPlayerBoxModel->collision(worldCollisionModel));
}

TEST(CollisionSideMapping, FourConsecutiveIndicesPerPart) {
  const CollisionSide expected[16] = {collisionFront, collisionFront, collisionFront, collisionFront,
                                      collisionBack,  collisionBack,  collisionBack,  collisionBack,
                                      collisionLeft,  collisionLeft,  collisionLeft,  collisionLeft,
                                      collisionRight, collisionRight, collisionRight, collisionRight};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(collisionSideOfBoxTriangle(i), expected[i]) << i;
  EXPECT_EQ(collisionSideOfBoxTriangle(-1), collisionNone);
  EXPECT_EQ(collisionSideOfBoxTriangle(16), collisionNone);
}

}  // namespace
