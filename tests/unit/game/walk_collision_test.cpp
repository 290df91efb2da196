#include <gtest/gtest.h>

#include <memory>

#include "game/controls.h"
#include "game/enemy_table.h"
#include "game/key_codes.h"
#include "game/player_collision.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/unit/game/game_fixtures.h"

namespace {

// A corridor one cell wide running from the start cell five cells toward
// negative z: its end wall lies at z = -10, its side walls at x = 0 and 2.
const std::vector<std::string> corridor = {".", ".", ".", ".", "."};
constexpr float endWallZ = -10.0f;
constexpr float leftWallX = 0.0f;

class WalkingTheMaze : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    resetGameGlobals();
    setLevel(corridor, 1, 1);
    world = std::make_unique<BuiltWorld>();
  }

  TestGlContext gl;
  ScopedRecordingOs os;
  std::unique_ptr<BuiltWorld> world;
  const KeyState up = keysDown({scanCode::up});
  const KeyState none = keysDown({});
};

TEST_F(WalkingTheMaze, WalkingIntoTheEndWallStopsInFrontOfIt) {
  world->passes(up, 150);
  const float stopZ = eyeZ();
  // The box reaches 0.75 ahead of the eye: the player stops less than one
  // step after it first touches the wall.
  EXPECT_GT(stopZ, endWallZ + 0.75f - 0.1f);
  EXPECT_LT(stopZ, endWallZ + 0.75f + 0.1f + 0.01f);
  EXPECT_EQ(playerCollision.flags.front, 1);
  world->passes(up, 20);
  EXPECT_EQ(eyeZ(), stopZ);
  EXPECT_NEAR(eyeX(), 1.0f, 1e-5f);
}

TEST_F(WalkingTheMaze, WalkingAtAnAngleSlidesAlongTheSideWall) {
  // At heading 30 the walk leads toward the left wall; the box's left flat
  // reaches it before the front spike does.
  playerState.heading = 30.0f;
  world->passes(up, 40);
  const float slideX = eyeX();
  EXPECT_EQ(playerCollision.flags.left, 1);
  EXPECT_EQ(playerCollision.flags.front, 0);
  EXPECT_GT(slideX, leftWallX + 0.3f);
  const float zBefore = eyeZ();
  world->passes(up, 20);
  // Only z changes now, by the z part of each step.
  EXPECT_EQ(eyeX(), slideX);
  EXPECT_NEAR(eyeZ() - zBefore, -20 * 0.1f * 0.8660254f, 1e-3f);
}

TEST_F(WalkingTheMaze, CollisionSwitchedOffWalksThroughTheWallWhileFlagsGoOn) {
  world->pass(none);  // C starts held: release it first
  world->pass(keysDown({scanCode::c}));
  ASSERT_FALSE(gameFlags.collisionEnabled);
  bool frontSeen = false;
  for (int i = 0; i < 120; ++i) {
    world->pass(up);
    frontSeen = frontSeen || playerCollision.flags.front == 1;
  }
  EXPECT_TRUE(frontSeen);
  EXPECT_LT(eyeZ(), endWallZ - 1.0f);
}

TEST_F(WalkingTheMaze, FlagsAccumulateWhileTouchingAndClearOnAFrameWithout) {
  world->passes(up, 150);
  ASSERT_EQ(playerCollision.flags.front, 1);
  // Turned to face -x and a little closer, the end wall lies on the right:
  // the right flat touches while the front spike no longer does, and FRONT
  // stays set.
  playerState.heading = 90.0f;
  playerState.offsetZ = endWallZ + 0.4f + 1.0f;
  world->pass(none);
  EXPECT_EQ(playerCollision.flags.right, 1);
  EXPECT_EQ(playerCollision.flags.front, 1);
  EXPECT_EQ(playerCollision.flags.left, 0);
  // Back in the middle of the corridor nothing touches: all clear.
  playerState.offsetZ = -4.0f;
  world->pass(none);
  EXPECT_FALSE(playerCollision.collided);
  EXPECT_EQ(playerCollision.flags.front, 0);
  EXPECT_EQ(playerCollision.flags.right, 0);
}

TEST_F(WalkingTheMaze, BackingIntoTheStartWallStopsAtItToo) {
  // The start cell's bottom wall is at z = 0, behind the eye at z = -1; the
  // back spike reaches 0.25 behind the eye. The contact is seen by the
  // frame after the step that made it, so the eye ends within one backward
  // step (0.2) of the first touch.
  const KeyState down = keysDown({scanCode::down});
  world->passes(down, 30);
  EXPECT_EQ(playerCollision.flags.back, 1);
  EXPECT_LT(eyeZ(), -0.25f + 0.2f + 0.01f);
  EXPECT_GT(eyeZ(), -0.25f - 0.2f - 0.01f);
  const float stopZ = eyeZ();
  world->passes(down, 10);
  EXPECT_EQ(eyeZ(), stopZ);
}

TEST(ContactSides, BoxTrianglesMapToTheirPartAndOthersToNone) {
  CollisionFlags flags;
  markContactSide(flags, 2);
  markContactSide(flags, 9);
  EXPECT_EQ(flags.front, 1);
  EXPECT_EQ(flags.left, 1);
  EXPECT_EQ(flags.back, 0);
  EXPECT_EQ(flags.right, 0);
  CollisionFlags untouched;
  for (int index : {-1, 16, 1000}) markContactSide(untouched, index);
  EXPECT_EQ(untouched.front + untouched.back + untouched.left + untouched.right, 0);
  markContactSide(untouched, 7);
  markContactSide(untouched, 15);
  EXPECT_EQ(untouched.back, 1);
  EXPECT_EQ(untouched.right, 1);
}

TEST(DiagnosticRay, AHitIsCountedWithoutStoppingTheGame) {
  TestGlContext gl;
  ASSERT_TRUE(gl.ok());
  ScopedRecordingOs os;
  resetGameGlobals();
  // A large target across the ray's line stands in for the player box.
  std::unique_ptr<CollisionModel3D> target(newCollisionModel3D(false));
  target->addTriangle(-5.0f, -5.0f, 2.0f, 5.0f, -5.0f, 2.0f, 0.0f, 5.0f, 2.0f);
  target->finalize();
  std::unique_ptr<CollisionModel3D> world(newCollisionModel3D(false));
  world->finalize();
  std::unique_ptr<CollisionModel3D> second(newCollisionModel3D(false));
  second->finalize();
  glLoadIdentity();
  enemyTable.posX[0] = 0.5f;
  enemyTable.posZ[0] = -1.0f;
  testPlayerCollision(world.get(), target.get(), second.get());
  testPlayerCollision(world.get(), target.get(), second.get());
  EXPECT_EQ(playerCollision.diagnosticRayHits, 2);
  EXPECT_TRUE(os->messageBoxes.empty());
  // Behind the target the ray finds nothing.
  enemyTable.posZ[0] = 3.0f;
  testPlayerCollision(world.get(), target.get(), second.get());
  EXPECT_EQ(playerCollision.diagnosticRayHits, 2);
}

}  // namespace
