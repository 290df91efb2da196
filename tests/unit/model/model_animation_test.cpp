#include <gtest/gtest.h>

#include <cmath>

#include "tests/unit/model/test_model_builder.h"

namespace {

constexpr int positionX = 0, positionZ = 2, rotationZ = 5;  // stream channels

TEST(ModelMath, SlerpTakesTheShorterArcButDoesNotFlipAtDotZero) {
  const Quaternion p{0, 0, 0, 1};
  // -q is the same rotation as q: the way to it must not swing the long way.
  const Quaternion flipped = quaternionSlerp(p, {0, 0, -std::sin(0.5f), -std::cos(0.5f)}, 0.5f);
  EXPECT_NEAR(flipped.z, std::sin(0.25f), 1e-5);
  EXPECT_NEAR(flipped.w, std::cos(0.25f), 1e-5);
  const Quaternion orthogonal = quaternionSlerp(p, {0, 0, 1, 0}, 0.5f);
  EXPECT_NEAR(orthogonal.z, std::sqrt(0.5f), 1e-5);
  EXPECT_NEAR(orthogonal.w, std::sqrt(0.5f), 1e-5);
}

class Animation : public ::testing::Test {
 protected:
  void load() { ASSERT_EQ(adoptTestModel(instance, model), ""); }
  float poseAt(float frame, int row, int column = 3, int bone = 0) {
    instance.frame = frame;
    instance.setUpBones();
    return boneTransforms[bone].m[row][column];
  }
  TestModel model = simpleTestModel();
  TestSequence& sequence = model.sequences[0];
  ModelInstance instance;
};

TEST_F(Animation, StreamRunsDecodeOntoTheDefaultsAndInterpolate) {
  sequence.frameCount = 6;
  // 10, 20, 30, 30, 30, 30: a run of two values and one held for four frames.
  streamOf(sequence, 0, 0, positionX) = streamOf(sequence, 0, 0, rotationZ) = {run(2, 2), 10, 20, run(1, 4), 30};
  streamOf(sequence, 0, 0, positionZ) = {run(2, 6), 2, 4};  // 4 held from frame 1 on
  model.bones[0].defaultValue = {{0, 100, -2, 0, 0, 0}};
  model.bones[0].scale = {{1, 1, 0.5f, 1, 1, 0.01f}};
  load();
  const float expected[] = {10, 20, 30, 30, 30};
  for (int frame = 0; frame < 5; ++frame) EXPECT_FLOAT_EQ(poseAt(frame, 0), expected[frame]) << frame;
  EXPECT_FLOAT_EQ(poseAt(0.25f, 0), 12.5f);
  EXPECT_NEAR(poseAt(1.5f, 1, 0), std::sin(0.25f), 1e-5);  // slerped between 0.2 and 0.3 radians
  EXPECT_FLOAT_EQ(poseAt(1, 1), 100.0f);                    // no stream: the default alone
  EXPECT_FLOAT_EQ(poseAt(3, 2), 0.0f);                      // -2 + 4 * 0.5
}

TEST_F(Animation, FramesLoopOverFrameCountMinusOneInStepsOfAtMostATenth) {
  sequence.framesPerSecond = 30.0f;
  const struct { int frames; float from, seconds, to; } steps[] = {
      {10, 8.5f, 0.05f, 1}, {10, 2, 0, 2}, {10, 2, 10, 5}, {1, 0, 0.07f, 0}, {0, 0, 0.07f, 0}};
  for (const auto& s : steps) {
    sequence.frameCount = s.frames;
    load();
    instance.frame = s.from;
    instance.advanceAnimation(s.seconds);
    EXPECT_FLOAT_EQ(instance.frame, s.to) << s.frames << " frames: " << s.from << " + " << s.seconds << " s";
  }
}

TEST_F(Animation, BlendWeightsOf0And255SelectTheBlocks) {
  for (std::int16_t block = 0; block < 4; ++block)
    streamOf(sequence, block, 0, positionX) = {run(1, 2), static_cast<std::int16_t>(10 * block)};
  streamOf(sequence, 1, 0, rotationZ) = {run(1, 2), 100};  // 1 radian
  model.bones[0].scale[rotationZ] = 0.01f;
  load();
  const struct { std::uint8_t first, second; float x, sinZ; } cases[] = {
      {0, 0, 0, 0}, {255, 0, 10, std::sin(1.0f)}, {0, 255, 20, 0}, {255, 255, 30, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.first) << " " << int(c.second));
    instance.blend[0] = c.first;
    instance.blend[1] = c.second;
    EXPECT_NEAR(poseAt(0, 0), c.x, 1e-4);
    EXPECT_NEAR(poseAt(0, 1, 0), c.sinZ, 1e-5);
  }
}

TEST_F(Animation, MotionFlagsZeroTheMotionBonePositionInEveryBlock) {
  sequence.motionFlags = 5;  // x and z
  streamOf(sequence, 1, 0, positionX) = {run(1, 2), 40};
  model.bones.resize(2);
  model.bones[0].defaultValue = {{1, 2, 3, 0, 0, 0}};
  model.bones[1].parent = 0;
  model.bones[1].defaultValue = {{4, 5, 6, 0, 0, 0}};
  load();
  instance.blend[0] = 128;
  const float expected[2][3] = {{0, 2, 0}, {4, 7, 6}};  // the child keeps its own offset
  for (int bone = 0; bone < 2; ++bone)
    for (int row = 0; row < 3; ++row) EXPECT_EQ(poseAt(0, row, 3, bone), expected[bone][row]) << bone << " " << row;
}

TEST_F(Animation, WrappingAndPlainControllersTurnAndMoveTheirBones) {
  const struct { TestController controller; int channel, setting, row, column; float value; } cases[] = {
      {{0x8000 | 32, 0, 360, 0}, rotationZ, 128, 0, 0, -1},  // half of 256 steps: half a turn
      {{32, 0, 90, 0}, rotationZ, 255, 1, 0, 1},              // the end of a plain range
      {{1, 0, 10, 1}, positionX, 51, 0, 3, 2},                // a fifth of the way
      {{1, 0, 10, 4}, positionX, 32, 0, 3, 5},                // the auxiliary byte: 0 .. 64
  };
  for (const auto& c : cases) {
    model.controllers = {c.controller};
    model.bones[0] = TestBone{};
    model.bones[0].controllerIndex[c.channel] = 0;
    load();
    (c.controller.slot == 4 ? instance.auxController : instance.controllers[c.controller.slot]) = c.setting;
    EXPECT_NEAR(poseAt(0, c.row, c.column), c.value, 1e-5) << c.controller.type;
  }
}

TEST_F(Animation, SequenceNumbersOutOfRangeFallBackToTheEnds) {
  model.sequences.resize(3);
  load();
  const struct { int asked, chosen; } cases[] = {{-1, 2}, {2, 2}, {3, 0}, {1000, 0}};
  for (const auto& c : cases) {
    instance.frame = 1.0f;
    EXPECT_EQ(instance.setSequence(c.asked), c.chosen) << c.asked;
    EXPECT_EQ(instance.frame, 0.0f);
  }
}

}  // namespace
