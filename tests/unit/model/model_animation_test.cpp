#include <gtest/gtest.h>

#include <cmath>

#include "tests/unit/model/test_model_builder.h"

namespace {

// Decoding, interpolation within runs and the shorter-arc slerp of the poses
// the figure takes are what the demos' pictures of the soldiers show; here
// the cases the figure never reaches.
constexpr int positionX = 0, rotationZ = 5;  // stream channels

class Animation : public ::testing::Test {
 protected:
  void load() { ASSERT_EQ(adoptTestModel(instance, model), ""); }
  float poseAt(float frame, int row, int column = 3, int bone = 0) {
    instance.frame = frame;
    instance.setUpBones();
    return instance.work.boneTransforms[bone].m[row][column];
  }
  TestModel model = simpleTestModel();
  TestSequence& sequence = model.sequences[0];
  ModelInstance instance;
};

// Frame k + 1 of a run's end is the next run's first value, whether the run
// ends on its own values or on held ones. A frame set from outside the
// sequence shows the nearest end, neither extrapolated nor (for a position
// that is not a number) undefined; 0- and 1-frame sequences show frame 0
// whatever the frame, and time keeps them there. (The figure's looping and
// the tenth-second step are in the demos.) The decoder reads no frame past
// the sequence, so a stream, of a position as of a rotation, need cover only
// the sequence's own frames (at least frame 0).
TEST_F(Animation, FramesInterpolateAcrossRunEndsAndOutsideTheSequenceHoldItsEnds) {
  const Shorts held = {run(1, 3), 10, run(1, 3), 40}, valid = {run(2, 2), 10, 20, run(1, 4), 40};  // 10 10 10 40 .., 10 20 40 ..
  const Shorts ramp = {run(3, 3), 0, 10, 20}, once = {run(1, 1), 7}, twice = {run(1, 2), 7};
  const struct { const Shorts& stream; int frames; float frame, x; } cases[] = {
      {held, 6, 1.5f, 10}, {held, 6, 2, 10}, {held, 6, 2.5f, 25}, {held, 6, 2.75f, 32.5f}, {held, 6, 3, 40},
      {valid, 6, 0.5f, 15}, {valid, 6, 1.5f, 30}, {ramp, 3, 1.5f, 15}, {ramp, 3, 2, 20}, {ramp, 3, 5, 20},
      {ramp, 3, 1e9f, 20}, {ramp, 3, -1, 0}, {ramp, 3, NAN, 0}, {ramp, 2, 7, 10}, {ramp, 1, 0.5f, 0}, {ramp, 1, 3, 0},
      {ramp, 0, 2, 0}, {once, 1, 0.5f, 7}, {once, 0, 0.5f, 7}, {twice, 2, 0.5f, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.frames << " frames, " << c.stream.size() << " shorts, frame " << c.frame);
    sequence.frameCount = c.frames;
    streamOf(sequence, 0, 0, positionX) = streamOf(sequence, 0, 0, rotationZ) = c.stream;
    load();
    EXPECT_FLOAT_EQ(poseAt(c.frame, 0), c.x);
    instance.advanceAnimation(0.07f);
    EXPECT_TRUE(c.frames > 1 || instance.frame == 0.0f) << "after 0.07 s: frame " << instance.frame;
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

TEST_F(Animation, EachMotionFlagZeroesItsAxisOfTheMotionBoneInEveryBlock) {
  streamOf(sequence, 1, 0, positionX) = {run(1, 2), 40};
  model.bones.resize(2);
  model.bones[0].defaultValue = {{1, 2, 3, 0, 0, 0}};
  model.bones[1].parent = 0;
  model.bones[1].defaultValue = {{4, 5, 6, 0, 0, 0}};
  for (int flag : {1, 2, 4}) {
    sequence.motionFlags = flag;
    load();
    instance.blend[0] = 128;  // half of each block, so a block left out shows
    const float motion[3] = {flag == 1 ? 0.0f : 1 + 40 * (128 / 255.0f), flag == 2 ? 0.0f : 2, flag == 4 ? 0.0f : 3};
    for (int row = 0; row < 3; ++row) {
      EXPECT_FLOAT_EQ(poseAt(0, row, 3, 0), motion[row]) << flag << " " << row;
      EXPECT_FLOAT_EQ(poseAt(0, row, 3, 1), motion[row] + 4 + row) << "the child keeps its own offset";
    }
  }
}

TEST_F(Animation, WrappingAndPlainControllersTurnAndMoveTheirBones) {
  const struct { TestController controller; int channel, setting, row, column; float value; } cases[] = {
      {{0x8000 | 32, 0, 360, 0}, rotationZ, 128, 0, 0, -1},  // half of 256 steps: half a turn
      {{32, 0, 90, 0}, rotationZ, 255, 1, 0, 1},              // the end of a plain range
      {{1, 0, 10, 1}, positionX, 51, 0, 3, 2},                // a fifth of the way
      {{1, 0, 10, 4}, positionX, 32, 0, 3, 5},                // the auxiliary byte: 0 .. 64
      {{1, 0, 10, 4}, positionX, 80, 0, 3, 10},               // past 64: the end
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

// The setters: rotations wrap into the range (half a turn around its middle,
// or into 0 .. 360 for a full-turn range), a reversed range negates the value,
// translations are only limited; the setting is the step count 0 .. 255 (0 ..
// 64 for the auxiliary byte) and the result the value of that step.
TEST_F(Animation, SetControllerAndSetAuxControllerWrapRotationsAndMapValuesOntoSteps) {
  constexpr int aux = 4;
  const struct { TestController controller; int slot; float value; int setting; float result; } cases[] = {
      {{32, -30, 30, 0}, 0, 200, 0, -30},             // 200 wraps to -160, below the range
      {{32, -30, 30, 0}, 0, -180, 0, -30},            // the lower end of the wrap stays
      {{32, -30, 30, 0}, 0, 15, 191, 14.941176f},     // plain: inside the range
      {{16, 0, 360, 1}, 1, 370, 7, 360 * 7 / 255.0f},  // a full turn: 370 is 10
      {{16, 0, 360, 1}, 1, -10, 247, 360 * 247 / 255.0f},  // and -10 is 350
      {{8, 30, -30, 2}, 2, 10, 170, -10},             // reversed: 10 becomes -10
      {{1, 0, 360, 3}, 3, 370, 255, 360},             // a translation does not wrap
      {{1, 0, 10, 4}, aux, 5, 32, 5},                 // 64 steps
      {{0x8000 | 32, -30, 30, 4}, aux, 200, 0, -30},   // wrapped like the others
      {{1, 0, 10, 2}, 3, 5, 99, 5},                   // no controller on the slot
      {{1, 0, 10, 2}, aux, 5, 99, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.controller.type << ", slot " << c.slot << ", value " << c.value);
    model.controllers = {c.controller};
    load();
    std::uint8_t& setting = c.slot == aux ? instance.auxController : instance.controllers[c.slot];
    setting = 99;
    EXPECT_FLOAT_EQ(c.slot == aux ? instance.setAuxController(c.value) : instance.setController(c.slot, c.value),
                    c.result);
    EXPECT_EQ(setting, c.setting);
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
