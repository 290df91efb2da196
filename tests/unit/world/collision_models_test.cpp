#include "world/collision_models.h"
#include "tests/support/test_records.h"

#include <gtest/gtest.h>

#include "camera_matrix.h"
#include "level_text.h"
#include "world/world_geometry.h"

namespace {

// A lone cell (2, 2): X from 2 to 4, Z from -2 (Bottom) to -4 (Top), centre (3, -3).
class CollisionModels : public ::testing::Test {
 protected:
  void SetUp() override { build("X 3\nY 3\nLevel\n000\n010\n000\n"); }

  void build(const char* level) {
    ASSERT_TRUE(loadLevelText(level));
    buildWorld(world());
    world().models.playerBox->setTransform(playerBoxPlacement.data());
    world().models.secondPlayerBox->setTransform(playerBoxPlacement.data());
  }

  bool touches(float eyeX, float eyeZ, float heading, CollisionModel3D* box = world().models.playerBox) {
    world().models.world->setTransform(cameraMatrix(eyeX, eyeZ, heading).data());
    return box->collision(world().models.world, -1, 0, nullptr);
  }
};

TEST_F(CollisionModels, StandingInTheMiddleOfACellTouchesNothing) {
  for (float heading : {0.0f, 45.0f, 90.0f, 180.0f, 270.0f, 333.0f}) EXPECT_FALSE(touches(3, -3, heading)) << heading;
}

// A wall 0.3 ahead of the box's centre (0.55 ahead of the eye) meets only the front spike.
TEST_F(CollisionModels, ContactsReportTheBoxPartAndTheWallSide) {
  struct Contact { float eyeX, eyeZ, heading; CollisionSide boxPart; int32_t wallSide; };
  const Contact contacts[] = {
      {3, -4 + 0.55f, 0, collisionFront, wallTop},     {2 + 0.55f, -3, 90, collisionFront, wallLeft},
      {3, -2 - 0.55f, 180, collisionFront, wallBottom}, {4 - 0.55f, -3, 270, collisionFront, wallRight},
      {2 + 0.3f, -3, 0, collisionLeft, wallLeft},       {4 - 0.3f, -3, 0, collisionRight, wallRight},
      {3, -2 - 0.15f, 0, collisionBack, wallBottom}};
  for (const Contact& c : contacts) {
    SCOPED_TRACE(::testing::Message() << "eye " << c.eyeX << ", " << c.eyeZ << " heading " << c.heading);
    ASSERT_TRUE(touches(c.eyeX, c.eyeZ, c.heading));
    int boxTriangle = -1, worldTriangle = -1;
    ASSERT_TRUE(world().models.playerBox->getCollidingTriangles(boxTriangle, worldTriangle));
    EXPECT_EQ(collisionSideOfBoxTriangle(boxTriangle), c.boxPart);
    EXPECT_EQ(boxTriangle % 4, 0) << "the lowest index of the part";
    ASSERT_TRUE(worldTriangle >= 0 && worldTriangle < world().worldTriangleCount()) << worldTriangle;
    EXPECT_EQ(world().worldTriangles[worldTriangle].side, c.wallSide);
    EXPECT_TRUE(c.wallSide != wallTop || worldTriangle == 8) << worldTriangle << ": Top follows floor, ceiling, Left, Right";
  }
}

TEST_F(CollisionModels, RebuildingRefillsTheModels) {
  EXPECT_TRUE(touches(3, -4 + 0.55f, 0, world().models.secondPlayerBox)) << "the second box model holds the same box";
  build("X 3\nY 3\n");
  for (float heading : {0.0f, 90.0f, 180.0f}) EXPECT_FALSE(touches(3, -4 + 0.55f, heading)) << heading;
}

TEST(CollisionSideMapping, FourConsecutiveIndicesPerPart) {
  const CollisionSide parts[4] = {collisionFront, collisionBack, collisionLeft, collisionRight};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(collisionSideOfBoxTriangle(i), parts[i / 4]) << i;
  for (int outside : {-1, 16}) EXPECT_EQ(collisionSideOfBoxTriangle(outside), collisionNone) << outside;
}

}  // namespace
