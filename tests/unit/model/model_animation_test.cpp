#include <gtest/gtest.h>

#include <cmath>

#include "model/model_instance.h"
#include "tests/unit/model/test_model_builder.h"

namespace {

// Channel numbers in a bone's stream offsets.
constexpr int positionX = 0, positionY = 1, positionZ = 2, rotationZ = 5;

// The stream 10, 20, 30, 30, 30, 30: a run of two values and a run of one
// value held for four frames.
TestStream runsOf10To30() { return {{2, {10, 20}}, {4, {30}}}; }

TestSequence sequenceWith(int frameCount, int bones = 1, int blocks = 1) {
  TestSequence s;
  s.frameCount = frameCount;
  s.blendCount = blocks;
  s.streams.assign(blocks, std::vector<std::array<TestStream, 6>>(bones));
  return s;
}

TestModel modelWith(const TestSequence& sequence) {
  TestModel model = simpleTestModel();
  model.bones.resize(sequence.streams[0].size());
  model.sequences = {sequence};
  return model;
}

class Animation : public ::testing::Test {
 protected:
  void load(const TestModel& model) { ASSERT_EQ(adoptTestModel(instance, model), ""); }
  const Matrix3x4& bone(int i) { return boneTransforms[i]; }
  float poseAt(float frame, int row, int column = 3) {
    instance.frame = frame;
    instance.setUpBones();
    return bone(0).m[row][column];
  }
  ModelInstance instance;
};

TEST_F(Animation, StreamRunsDecodeAndPositionsInterpolate) {
  TestSequence s = sequenceWith(6);
  s.streams[0][0][positionX] = runsOf10To30();
  load(modelWith(s));
  const float expected[] = {10, 20, 30, 30, 30};
  for (int frame = 0; frame < 5; ++frame) EXPECT_FLOAT_EQ(poseAt(static_cast<float>(frame), 0), expected[frame]) << frame;
  EXPECT_FLOAT_EQ(poseAt(1.5f, 0), 25.0f);
  EXPECT_FLOAT_EQ(poseAt(0.25f, 0), 12.5f);
}

TEST_F(Animation, ChannelsWithoutStreamKeepTheirDefaultAndScaleApplies) {
  TestModel model = modelWith(sequenceWith(3));
  model.sequences[0].streams[0][0][positionY] = {{3, {1, 2, 3}}};
  model.bones[0].defaultValue = {{7, 100, -2, 0, 0, 0}};
  model.bones[0].scale = {{1, 0.5f, 1, 1, 1, 1}};
  load(model);
  EXPECT_FLOAT_EQ(poseAt(1, 0), 7.0f);
  EXPECT_FLOAT_EQ(poseAt(1, 1), 101.0f);
  EXPECT_FLOAT_EQ(poseAt(1, 2), -2.0f);
}

TEST_F(Animation, RotationsSlerpBetweenFramesUnlessNearlyEqual) {
  TestModel model = modelWith(sequenceWith(6));
  model.sequences[0].streams[0][0][rotationZ] = runsOf10To30();
  model.bones[0].scale[rotationZ] = 0.01f;  // 0.2 and 0.3 radians
  load(model);
  // Halfway between 0.2 and 0.3 radians about z.
  EXPECT_NEAR(poseAt(1.5f, 1, 0), std::sin(0.25f), 1e-5);

  TestModel still = modelWith(sequenceWith(3));
  still.sequences[0].streams[0][0][rotationZ] = {{2, {0, 50}}, {1, {50}}};
  still.bones[0].scale[rotationZ] = 0.00001f;  // steps of 0.0005 radians
  instance.releaseFiles();
  load(still);
  EXPECT_EQ(poseAt(0.9f, 1, 0), 0.0f);  // frame 0's rotation, not slerped
}

TEST_F(Animation, FramePositionLoopsOverFrameCountMinusOne) {
  TestSequence s = sequenceWith(10);
  s.framesPerSecond = 30.0f;
  load(modelWith(s));
  instance.frame = 8.5f;
  instance.advanceAnimation(0.05f);
  EXPECT_FLOAT_EQ(instance.frame, 1.0f);

  instance.frame = 2.0f;
  instance.advanceAnimation(0.0f);
  EXPECT_FLOAT_EQ(instance.frame, 2.0f);
  instance.advanceAnimation(10.0f);  // long pauses count as 0.1 s
  EXPECT_FLOAT_EQ(instance.frame, 5.0f);
}

TEST_F(Animation, SingleFrameSequencesStayAtFrameZero) {
  for (int frameCount : {0, 1}) {
    TestSequence s = sequenceWith(frameCount);
    s.framesPerSecond = 30.0f;
    instance.releaseFiles();
    load(modelWith(s));
    instance.frame = 0.0f;
    instance.advanceAnimation(0.07f);
    EXPECT_EQ(instance.frame, 0.0f) << frameCount;
  }
}

TEST_F(Animation, BlendWeightsSelectEitherBlock) {
  TestSequence s = sequenceWith(2, 1, 2);
  s.streams[0][0][rotationZ] = {{2, {0, 0}}};
  s.streams[1][0][rotationZ] = {{2, {100, 100}}};  // 1 radian
  s.streams[1][0][positionX] = {{2, {8, 8}}};
  TestModel model = modelWith(s);
  model.bones[0].scale[rotationZ] = 0.01f;
  load(model);
  instance.blend[0] = 0;
  EXPECT_NEAR(poseAt(0, 1, 0), 0.0f, 1e-6);
  EXPECT_NEAR(poseAt(0, 0), 0.0f, 1e-6);
  instance.blend[0] = 255;
  EXPECT_NEAR(poseAt(0, 1, 0), std::sin(1.0f), 1e-5);
  EXPECT_NEAR(poseAt(0, 0), 8.0f, 1e-5);
}

TEST_F(Animation, FourBlocksBlendByBothWeights) {
  TestSequence s = sequenceWith(2, 1, 4);
  for (int block = 0; block < 4; ++block) {
    const std::int16_t x = static_cast<std::int16_t>(10 * block);
    s.streams[block][0][positionX] = {{2, {x, x}}};
  }
  load(modelWith(s));
  const struct {
    std::uint8_t first, second;
    float x;
  } cases[] = {{0, 0, 0}, {255, 0, 10}, {0, 255, 20}, {255, 255, 30}};
  for (const auto& c : cases) {
    instance.blend[0] = c.first;
    instance.blend[1] = c.second;
    EXPECT_NEAR(poseAt(0, 0), c.x, 1e-4) << int(c.first) << " " << int(c.second);
  }
}

TEST_F(Animation, MotionFlagsZeroTheMotionBonePositionInEveryBlock) {
  TestSequence s = sequenceWith(2, 2, 2);
  s.motionFlags = 5;
  s.streams[1][0][positionX] = {{2, {40, 40}}};
  TestModel model = modelWith(s);
  model.bones[0].defaultValue = {{1, 2, 3, 0, 0, 0}};
  model.bones[1].parent = 0;
  model.bones[1].defaultValue = {{4, 5, 6, 0, 0, 0}};
  load(model);
  instance.blend[0] = 128;
  instance.setUpBones();
  EXPECT_EQ(bone(0).m[0][3], 0.0f);
  EXPECT_EQ(bone(0).m[1][3], 2.0f);
  EXPECT_EQ(bone(0).m[2][3], 0.0f);
  // Bone 1 keeps its own offset, placed under bone 0.
  EXPECT_EQ(bone(1).m[0][3], 4.0f);
  EXPECT_EQ(bone(1).m[1][3], 7.0f);
}

TEST_F(Animation, ChildBonesFollowTheirParents) {
  TestModel model = modelWith(sequenceWith(2, 2));
  model.bones[0].defaultValue = {{0, 0, 0, 0, 0, 1.5707963f}};  // quarter turn about z
  model.bones[1].parent = 0;
  model.bones[1].defaultValue = {{5, 0, 0, 0, 0, 0}};
  load(model);
  instance.setUpBones();
  EXPECT_NEAR(bone(1).m[0][3], 0.0f, 1e-5);
  EXPECT_NEAR(bone(1).m[1][3], 5.0f, 1e-5);
}

class Controllers : public Animation {
 protected:
  void loadWith(const TestController& controller, int channel) {
    TestModel model = modelWith(sequenceWith(2));
    model.controllers = {controller};
    model.bones[0].controllerIndex[channel] = 0;
    load(model);
  }
};

TEST_F(Controllers, WrappingControllerTurnsInStepsOf256) {
  loadWith({0x8000 | 32, 0.0f, 360.0f, 0}, rotationZ);
  instance.controllers[0] = 128;  // half of the full circle
  EXPECT_NEAR(poseAt(0, 0, 0), -1.0f, 1e-5);
  EXPECT_NEAR(instance.controllerValues[0], 3.14159265f, 1e-5);
}

TEST_F(Controllers, PlainControllersMapTheirSettingOntoTheRange) {
  loadWith({32, 0.0f, 90.0f, 0}, rotationZ);
  instance.controllers[0] = 255;
  EXPECT_NEAR(poseAt(0, 1, 0), 1.0f, 1e-5);  // its end, 90 degrees

  instance.releaseFiles();
  loadWith({1, 0.0f, 10.0f, 1}, positionX);
  instance.controllers[1] = 51;  // a fifth of the way
  EXPECT_NEAR(poseAt(0, 0), 2.0f, 1e-5);

  instance.releaseFiles();
  loadWith({1, 0.0f, 10.0f, 4}, positionX);  // the auxiliary byte, 0 .. 64
  instance.auxController = 32;
  EXPECT_NEAR(poseAt(0, 0), 5.0f, 1e-5);
}

TEST_F(Controllers, UnknownTypesDriveNothing) {
  loadWith({64, 0.0f, 10.0f, 0}, positionX);
  instance.controllerValues[0] = 3.0f;
  instance.controllers[0] = 255;
  EXPECT_FLOAT_EQ(poseAt(0, 0), 3.0f);  // the previous value stays in force
}

TEST_F(Animation, SequenceNumbersOutOfRangeFallBackToZero) {
  TestModel model = modelWith(sequenceWith(2));
  model.sequences.push_back(sequenceWith(4));
  model.sequences.push_back(sequenceWith(5));
  load(model);
  EXPECT_EQ(instance.setSequence(-1), 2);
  instance.frame = 2.0f;
  EXPECT_EQ(instance.setSequence(2), 2);
  EXPECT_EQ(instance.frame, 0.0f);
  EXPECT_EQ(instance.setSequence(3), 0);
  EXPECT_EQ(instance.setSequence(1000), 0);
  instance.sequence = 7;
  instance.setUpBones();
  EXPECT_EQ(instance.sequence, 0);
}

}  // namespace
