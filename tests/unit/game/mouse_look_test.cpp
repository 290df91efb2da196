#include <gtest/gtest.h>

#include "game/mouse_look.h"
#include "tests/support/recording_os.h"

namespace {

TEST(MouseLook, CursorRightOfCentreTurnsAndIsPutBack) {
  ScopedRecordingOs os;
  os->cursor = {340, 240};
  PlayerState player;
  applyMouseLook(player);
  EXPECT_NEAR(player.heading, -1.0f, 1e-6f);
  EXPECT_EQ(player.pitch, 0.0f);
  ASSERT_EQ(os->cursorMoves.size(), 1u);
  EXPECT_EQ(os->cursorMoves[0].x, 320);
  EXPECT_EQ(os->cursorMoves[0].y, 240);
}

TEST(MouseLook, PitchStopsAtThirtyDegreesEitherWay) {
  ScopedRecordingOs os;
  PlayerState player;
  os->cursor = {320, 240 - 1000};
  applyMouseLook(player);
  EXPECT_EQ(player.pitch, -30.0f);
  os->cursor = {320, 240 + 2000};
  applyMouseLook(player);
  EXPECT_EQ(player.pitch, 30.0f);
  // Within the limits the tilt adds up: 100 pixels up is 5 degrees.
  os->cursor = {320, 140};
  applyMouseLook(player);
  EXPECT_NEAR(player.pitch, 25.0f, 1e-5f);
}

TEST(MouseLook, HeadingIsNotWrapped) {
  ScopedRecordingOs os;
  PlayerState player;
  for (int pass = 0; pass < 2; ++pass) {
    os->cursor = {320 - 4000, 240};
    applyMouseLook(player);
  }
  EXPECT_NEAR(player.heading, 400.0f, 1e-3f);
}

}  // namespace
