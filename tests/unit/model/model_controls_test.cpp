#include <gtest/gtest.h>

#include <cmath>

#include "model/model_instance.h"
#include "tests/unit/model/test_model_builder.h"

namespace {

class SetController : public ::testing::Test {
 protected:
  void load(std::vector<TestController> controllers) {
    TestModel model = simpleTestModel();
    model.controllers = std::move(controllers);
    ASSERT_EQ(adoptTestModel(instance, model), "");
  }
  ModelInstance instance;
};

TEST_F(SetController, PartialRotationRangesWrapAroundTheirMiddle) {
  load({{32, -30.0f, 30.0f, 0}});
  // 200 degrees lies more than half a turn above the middle: it becomes -160,
  // below the range, so the setting is 0 and the value applied is the start.
  EXPECT_FLOAT_EQ(instance.setController(0, 200.0f), -30.0f);
  EXPECT_EQ(instance.controllers[0], 0);
  EXPECT_FLOAT_EQ(instance.setController(0, 0.0f), -30.0f + 60.0f * 127 / 255);
  EXPECT_EQ(instance.controllers[0], 127);
}

TEST_F(SetController, FullTurnRangesWrapIntoOneTurn) {
  load({{16, 0.0f, 360.0f, 2}});
  EXPECT_FLOAT_EQ(instance.setController(2, 370.0f), 360.0f * 7 / 255);
  EXPECT_EQ(instance.controllers[2], 7);
  instance.setController(2, -350.0f);  // wraps to 10 as well
  EXPECT_EQ(instance.controllers[2], 7);
}

TEST_F(SetController, ReversedRangesNegateTheValue) {
  load({{8, 90.0f, 0.0f, 1}});
  EXPECT_FLOAT_EQ(instance.setController(1, -45.0f), 90.0f - 90.0f * 127 / 255);
  EXPECT_EQ(instance.controllers[1], 127);
}

TEST_F(SetController, TranslationsClampToTheRangeWithoutWrapping) {
  load({{1, 0.0f, 10.0f, 3}, {1, 0.0f, 100.0f, 3}});
  EXPECT_FLOAT_EQ(instance.setController(3, 400.0f), 10.0f);  // first record with slot 3
  EXPECT_EQ(instance.controllers[3], 255);
  EXPECT_FLOAT_EQ(instance.setController(3, -5.0f), 0.0f);
  EXPECT_EQ(instance.controllers[3], 0);
}

TEST_F(SetController, SlotsWithoutARecordChangeNothing) {
  load({{1, 0.0f, 10.0f, 0}});
  instance.controllers[1] = 9;
  EXPECT_FLOAT_EQ(instance.setController(1, 4.5f), 4.5f);
  EXPECT_EQ(instance.controllers[1], 9);
  EXPECT_FLOAT_EQ(instance.setAuxController(2.5f), 2.5f);
  EXPECT_EQ(instance.auxController, 0);
}

TEST_F(SetController, AuxiliaryControllerHas64Steps) {
  load({{1, 0.0f, 10.0f, 4}});
  EXPECT_FLOAT_EQ(instance.setAuxController(5.0f), 5.0f);
  EXPECT_EQ(instance.auxController, 32);
  EXPECT_FLOAT_EQ(instance.setAuxController(50.0f), 10.0f);
  EXPECT_EQ(instance.auxController, 64);
}

TEST_F(SetController, EmptyRangesAndNonNumbersStayWithinTheSettings) {
  load({{1, 5.0f, 5.0f, 0}, {1, 0.0f, 10.0f, 1}});
  EXPECT_FLOAT_EQ(instance.setController(0, 7.0f), 5.0f);
  instance.controllers[1] = 200;
  EXPECT_FLOAT_EQ(instance.setController(1, std::nanf("")), 0.0f);
  EXPECT_EQ(instance.controllers[1], 0);
}

}  // namespace
