#include <gtest/gtest.h>

#include <vector>

#include "game/movement.h"

namespace {

constexpr float tolerance = 1e-5f;

MovementContext clearWay() { return MovementContext{true, CollisionFlags{}, 4}; }

MovementContext touching(int front, int back, int left, int right, int wallSide = 4) {
  CollisionFlags flags;
  flags.front = front;
  flags.back = back;
  flags.left = left;
  flags.right = right;
  return MovementContext{true, flags, wallSide};
}

struct Displacement {
  float x;
  float z;
};

template <typename Move>
Displacement moveOnce(float heading, const MovementContext& context, Move move) {
  PlayerState player;
  player.heading = heading;
  move(player, context);
  return {player.offsetX, player.offsetZ};
}

TEST(Walking, ClearWayForwardIsOneTenthAlongTheHeading) {
  const Displacement ahead = moveOnce(0.0f, clearWay(), walkForward);
  EXPECT_NEAR(ahead.x, 0.0f, tolerance);
  EXPECT_NEAR(ahead.z, -0.1f, tolerance);
  const Displacement turned = moveOnce(90.0f, clearWay(), walkForward);
  EXPECT_NEAR(turned.x, -0.1f, tolerance);
  EXPECT_NEAR(turned.z, 0.0f, 1e-4f);
}

TEST(Walking, ClearWayBackwardCoversTwiceTheForwardDistance) {
  const Displacement back = moveOnce(0.0f, clearWay(), walkBackward);
  EXPECT_NEAR(back.x, 0.0f, tolerance);
  EXPECT_NEAR(back.z, 0.2f, tolerance);
}

TEST(Walking, CollisionOffWithContactBehindWalksBackOnlyOneStep) {
  MovementContext context = touching(0, 1, 0, 0);
  context.collisionEnabled = false;
  EXPECT_NEAR(moveOnce(0.0f, context, walkBackward).z, 0.1f, tolerance);
  // Forward ignores every flag when collision is off.
  MovementContext blocked = touching(1, 1, 1, 1);
  blocked.collisionEnabled = false;
  EXPECT_NEAR(moveOnce(0.0f, blocked, walkForward).z, -0.1f, tolerance);
}

TEST(Walking, ContactsThatStopAForwardStep) {
  for (const MovementContext& context :
       {touching(1, 0, 0, 0), touching(0, 1, 1, 0, 0), touching(0, 0, 1, 1, 0)}) {
    const Displacement d = moveOnce(30.0f, context, walkForward);
    EXPECT_EQ(d.x, 0.0f);
    EXPECT_EQ(d.z, 0.0f);
  }
  // Something behind alone does not stop walking forward.
  EXPECT_NEAR(moveOnce(0.0f, touching(0, 1, 0, 0), walkForward).z, -0.1f, tolerance);
}

TEST(Walking, OneSideTouchingSlidesAlongTheWallsAxis) {
  const float heading = 30.0f;  // forward is (-0.05, -0.0866)
  // Walls on a cell's top or bottom border run along x.
  for (int side : {0, 1}) {
    const Displacement d = moveOnce(heading, touching(0, 0, 1, 0, side), walkForward);
    EXPECT_NEAR(d.x, -0.05f, tolerance);
    EXPECT_EQ(d.z, 0.0f);
  }
  // Left and right borders run along z.
  for (int side : {2, 3}) {
    const Displacement d = moveOnce(heading, touching(0, 0, 0, 1, side), walkForward);
    EXPECT_EQ(d.x, 0.0f);
    EXPECT_NEAR(d.z, -0.0866025f, tolerance);
  }
  // Floors and box covers carry no wall side: no slide.
  for (int side : {4, -1, 99}) {
    const Displacement d = moveOnce(heading, touching(0, 0, 1, 0, side), walkForward);
    EXPECT_EQ(d.x, 0.0f);
    EXPECT_EQ(d.z, 0.0f);
  }
}

TEST(Walking, BackwardSlideAddsTheExtraStepWhenNothingIsBehind) {
  // Left touching a wall along z: the slide moves z only, then the extra
  // backward step moves along the full heading.
  const Displacement d = moveOnce(30.0f, touching(0, 0, 1, 0, 2), walkBackward);
  EXPECT_NEAR(d.x, 0.05f, tolerance);
  EXPECT_NEAR(d.z, 2 * 0.0866025f, tolerance);
  // Contact in front stops the primary step but not the extra one.
  EXPECT_NEAR(moveOnce(0.0f, touching(1, 0, 1, 0, 2), walkBackward).z, 0.1f, tolerance);
  // Contact behind stops both.
  EXPECT_EQ(moveOnce(0.0f, touching(0, 1, 0, 0), walkBackward).z, 0.0f);
}

TEST(SideSteps, StepHalfAWalkUnlessThatSideTouches) {
  const Displacement left = moveOnce(0.0f, clearWay(), stepLeft);
  EXPECT_NEAR(left.x, -0.05f, tolerance);
  EXPECT_NEAR(left.z, 0.0f, tolerance);
  const Displacement right = moveOnce(0.0f, clearWay(), stepRight);
  EXPECT_NEAR(right.x, 0.05f, tolerance);

  EXPECT_EQ(moveOnce(0.0f, touching(0, 0, 1, 0), stepLeft).x, 0.0f);
  EXPECT_EQ(moveOnce(0.0f, touching(0, 0, 0, 1), stepRight).x, 0.0f);
  // The other side's contact does not matter.
  EXPECT_NEAR(moveOnce(0.0f, touching(0, 0, 0, 1), stepLeft).x, -0.05f, tolerance);
  MovementContext off = touching(0, 0, 1, 1);
  off.collisionEnabled = false;
  EXPECT_NEAR(moveOnce(0.0f, off, stepLeft).x, -0.05f, tolerance);
}

std::vector<float> bobAngles(void (*move)(PlayerState&, const MovementContext&), int passes,
                             const MovementContext& context) {
  PlayerState player;
  std::vector<float> angles;
  for (int i = 0; i < passes; ++i) {
    move(player, context);
    angles.push_back(player.bobAngle);
  }
  return angles;
}

TEST(Bob, ForwardRunsUpToThreeSixtyThenRestartsAtZero) {
  const std::vector<float> angles = bobAngles(walkForward, 38, clearWay());
  for (int i = 0; i < 36; ++i) EXPECT_EQ(angles[i], 10.0f * (i + 1));
  EXPECT_EQ(angles[36], 0.0f);
  EXPECT_EQ(angles[37], 10.0f);
}

TEST(Bob, BackwardRunsDownFromThreeFiftyNineToMinusOne) {
  const std::vector<float> angles = bobAngles(walkBackward, 38, clearWay());
  EXPECT_EQ(angles[0], 359.0f);
  for (int i = 1; i <= 36; ++i) EXPECT_EQ(angles[i], 359.0f - 10.0f * i);
  EXPECT_EQ(angles[36], -1.0f);
  EXPECT_EQ(angles[37], 359.0f);
}

TEST(Bob, GoesOnWhileBlockedAndSetsTheEyeOffset) {
  PlayerState player;
  const MovementContext wallAhead = touching(1, 0, 0, 0);
  for (int i = 0; i < 9; ++i) walkForward(player, wallAhead);
  EXPECT_EQ(player.offsetZ, 0.0f);
  EXPECT_EQ(player.bobAngle, 90.0f);
  EXPECT_NEAR(player.bobOffset, 0.05f, tolerance);
  stepLeft(player, touching(0, 0, 1, 0));
  EXPECT_EQ(player.bobAngle, 80.0f);
  EXPECT_NEAR(player.bobOffset, 0.05f * 0.98480775f, tolerance);
}

}  // namespace
