#include <gtest/gtest.h>

#include <memory>

#include "game/key_codes.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/unit/game/game_fixtures.h"

namespace {

// The player box reaches 0.75 ahead of the eye; the end wall of a corridor of
// five cells lies 9 ahead of the start.
constexpr float stopBeforeEndWall = -9.0f + 0.75f;

class WalkingTheMaze : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    resetGameGlobals();
    setCorridor(5);
    world = std::make_unique<BuiltWorld>();
  }

  TestGlContext gl;
  ScopedRecordingOs os;
  std::unique_ptr<BuiltWorld> world;
  const KeyState up = keysDown({scanCode::up});
};

TEST_F(WalkingTheMaze, WalkingIntoTheEndWallStopsInFrontOfIt) {
  world->passes(up, 150);
  const float stopZ = playerState.offsetZ;
  // The contact is seen less than one step after the box first touches.
  EXPECT_GT(stopZ, stopBeforeEndWall - 0.1f);
  EXPECT_LT(stopZ, stopBeforeEndWall + 0.11f);
  EXPECT_EQ(playerCollision.flags.front, 1);
  world->passes(up, 20);
  EXPECT_EQ(playerState.offsetZ, stopZ);
  EXPECT_NEAR(playerState.offsetX, 0.0f, 1e-5f);
}

TEST_F(WalkingTheMaze, WalkingAtAnAngleSlidesAlongTheSideWall) {
  // At heading 30 the box's left flat reaches the left wall before the front
  // spike does; from then on only the z part of each step is taken.
  playerState.heading = 30.0f;
  world->passes(up, 40);
  const float slideX = playerState.offsetX, zBefore = playerState.offsetZ;
  EXPECT_EQ(playerCollision.flags.left, 1);
  EXPECT_EQ(playerCollision.flags.front, 0);
  EXPECT_GT(slideX, -0.7f);
  world->passes(up, 20);
  EXPECT_EQ(playerState.offsetX, slideX);
  EXPECT_NEAR(playerState.offsetZ - zBefore, -20 * 0.1f * 0.8660254f, 1e-3f);
}

TEST_F(WalkingTheMaze, CollisionSwitchedOffWalksThroughTheWallWhileFlagsGoOn) {
  world->passes(keysDown({}));  // C starts held: release it first
  world->passes(keysDown({scanCode::c}));
  ASSERT_FALSE(gameFlags.collisionEnabled);
  bool frontSeen = false;
  for (int i = 0; i < 120; ++i) {
    world->passes(up);
    frontSeen = frontSeen || playerCollision.flags.front == 1;
  }
  EXPECT_TRUE(frontSeen);
  EXPECT_LT(playerState.offsetZ, -10.0f);
}

TEST_F(WalkingTheMaze, FlagsAccumulateWhileTouchingAndClearOnAFrameWithout) {
  world->passes(up, 150);
  ASSERT_EQ(playerCollision.flags.front, 1);
  // Facing -x a little closer, the end wall touches the right flat only;
  // FRONT stays set from the frames before.
  playerState.heading = 90.0f;
  playerState.offsetZ = -8.6f;
  world->frame();
  EXPECT_EQ(playerCollision.flags.right, 1);
  EXPECT_EQ(playerCollision.flags.front, 1);
  EXPECT_EQ(playerCollision.flags.left, 0);
  playerState.offsetZ = -4.0f;
  world->frame();
  EXPECT_FALSE(playerCollision.collided);
  EXPECT_EQ(playerCollision.flags.front + playerCollision.flags.right, 0);
}

TEST(ContactSides, BoxTrianglesMapToTheirPartAndOthersToNone) {
  CollisionFlags flags;
  for (int index : {-1, 16, 1000}) markContactSide(flags, index);
  EXPECT_EQ(flags.front + flags.back + flags.left + flags.right, 0);
  for (int index : {2, 9, 7, 15}) markContactSide(flags, index);
  EXPECT_EQ(flags.front + flags.left + flags.back + flags.right, 4);
}

TEST(DiagnosticRay, AHitIsCountedWithoutStoppingTheGame) {
  TestGlContext gl;
  ASSERT_TRUE(gl.ok());
  ScopedRecordingOs os;
  resetGameGlobals();
  // A large target across the ray's line stands in for the player box.
  std::unique_ptr<CollisionModel3D> target(newCollisionModel3D(false)),
      empty(newCollisionModel3D(false));
  target->addTriangle(-5.0f, -5.0f, 2.0f, 5.0f, -5.0f, 2.0f, 0.0f, 5.0f, 2.0f);
  target->finalize();
  empty->finalize();
  glLoadIdentity();
  enemyTable.posX[0] = 0.5f;
  for (float z : {-1.0f, -1.0f, 3.0f}) {  // behind the target the ray misses
    enemyTable.posZ[0] = z;
    testPlayerCollision(empty.get(), target.get(), empty.get());
  }
  EXPECT_EQ(playerCollision.diagnosticRayHits, 2);
  EXPECT_TRUE(os->messageBoxes.empty());
}

}  // namespace
