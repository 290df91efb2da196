// The keys and the mouse where the demos cannot look: walking backward or
// sideways and against walls as they never do, keys held at the start or
// together, the cursor put back, and how the switches reach OpenGL.
#include <gtest/gtest.h>

#include "game/key_codes.h"
#include "game/scene_state.h"
#include "tests/support/test_records.h"
#include "game/mouse_look.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/unit/game/game_fixtures.h"

namespace {

MovementContext touching(int front, int back, int left, int right, int wallSide = 4,
                         bool collisionEnabled = true) {
  return MovementContext{collisionEnabled, CollisionFlags{front, back, left, right}, wallSide};
}
const MovementContext clear = touching(0, 0, 0, 0), off = touching(1, 1, 1, 1, 4, false);

TEST(Movement, OneStepFromTheCentreUnderEachContact) {
  struct Case {
    const char* name;
    void (*move)(PlayerState&, const MovementContext&);
    MovementContext context;
    float x, z;  // at heading 30, where a forward step is (-0.05, -0.0866)
  } const cases[] = {
      {"Down walks 0.2", walkBackward, clear, 0.1f, 0.173205f},
      {"collision off: back contact drops the extra step", walkBackward, off, 0.05f, 0.0866025f},
      {"back and side", walkForward, touching(0, 1, 1, 0, 0), 0, 0},
      {"both sides", walkForward, touching(0, 0, 1, 1, 0), 0, 0},
      {"back alone", walkForward, touching(0, 1, 0, 0), -0.05f, -0.0866025f},
      {"slide along x, side 0", walkForward, touching(0, 0, 1, 0, 0), -0.05f, 0},
      {"slide along x, side 1", walkForward, touching(0, 0, 0, 1, 1), -0.05f, 0},
      {"slide along z, side 3", walkForward, touching(0, 0, 0, 1, 3), 0, -0.0866025f},
      {"no slide on a floor", walkForward, touching(0, 0, 1, 0, 4), 0, 0},
      {"backward slide plus extra step", walkBackward, touching(0, 0, 1, 0, 2), 0.05f, 0.173205f},
      {"backward, front: extra only", walkBackward, touching(1, 0, 1, 0, 2), 0.05f, 0.0866025f},
      {"backward, back: no step", walkBackward, touching(0, 1, 0, 0), 0, 0},
      {"left", stepLeft, touching(0, 0, 0, 1), -0.0433013f, 0.025f},
      {"left blocked", stepLeft, touching(0, 0, 1, 0), 0, 0},
      {"right blocked", stepRight, touching(0, 0, 0, 1), 0, 0},
      {"left, collision off", stepLeft, off, -0.0433013f, 0.025f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlayerState player;
    player.heading = 30.0f;
    c.move(player, c.context);
    EXPECT_NEAR(player.offsetX, c.x, 1e-5f);
    EXPECT_NEAR(player.offsetZ, c.z, 1e-5f);
  }
}

// Forward the bob is proved by the demos; they never walk backward.
TEST(Movement, BackwardTheBobRunsItsCycleDownEvenWhenBlocked) {
  PlayerState backward;
  for (int i = 1; i <= 38; ++i) {
    walkBackward(backward, touching(0, 1, 0, 0));
    ASSERT_EQ(backward.bobAngle, i <= 37 ? 369.0f - 10.0f * i : 359.0f);  // 359 ... -1, 359
  }
  EXPECT_EQ(backward.offsetZ, 0.0f);
}

TEST(MouseLook, TurnsRecentresAndLimitsThePitch) {
  ScopedRecordingOs os;
  PlayerState player;
  os->cursor = {340, 140};  // 20 pixels right, 100 up
  applyMouseLook(player);
  EXPECT_NEAR(player.heading, -1.0f, 1e-6f);
  EXPECT_NEAR(player.pitch, -5.0f, 1e-5f);
  EXPECT_EQ(os->cursorMoves.back().x, 320);
  EXPECT_EQ(os->cursorMoves.back().y, 240);
  os->cursor = {320, 240 - 1000};
  applyMouseLook(player);
  EXPECT_EQ(player.pitch, -30.0f);
  os->cursor = {320 - 8000, 240 + 2000};
  applyMouseLook(player);
  EXPECT_EQ(player.pitch, 30.0f);
  EXPECT_NEAR(player.heading, 399.0f, 1e-3f);  // not wrapped
}

class KeyTable : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    startFreshGame();
    glEnable(GL_DEPTH_TEST);  // as the game runs
  }
  KeyStepResult press(std::initializer_list<std::uint8_t> codes) {
    return applyKeyTable(game(), world().level, keysDown(codes).data(), clear);
  }
  TestGlContext gl;
  ScopedRecordingOs os;
};

int textureMode() {
  GLint mode = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  return mode;
}

// The switch keys themselves are proved by the demos; C and H start held, so
// when already down at the start they act only after a release.
TEST_F(KeyTable, CAndHHeldAtTheStartActOnlyAfterARelease) {
  press({scanCode::c, scanCode::h});
  EXPECT_TRUE(game().flags.collisionEnabled && game().flags.crosshairVisible);
  press({});
  press({scanCode::c, scanCode::h});
  EXPECT_FALSE(game().flags.collisionEnabled || game().flags.crosshairVisible);
}

TEST_F(KeyTable, OneAndTwoTogetherSelectTheLaserAndHeldKeysNeedTheDownBit) {
  KeyState notDown{};
  notDown.fill(0x7F);
  applyKeyTable(game(), world().level, notDown.data(), clear);
  EXPECT_FALSE(game().flags.shotTriggered || game().player.laserSelected || game().player.bobAngle != 0);
  press({scanCode::digit1, scanCode::digit2, scanCode::rightControl});
  EXPECT_TRUE(game().player.laserSelected && !game().player.rifleSelected && game().flags.shotTriggered);
  EXPECT_EQ(game().player.shownAmmo, 20);
  press({scanCode::digit1});
  EXPECT_TRUE(game().player.rifleSelected && !game().player.laserSelected);
  EXPECT_EQ(game().player.shownAmmo, 30);
  // Up walks 0.1 forward and Down 0.2 back, the side steps cancel out; Up
  // adds 10 to the bob, the others each take 10 off.
  game().player.bobAngle = 100.0f;
  press({scanCode::up, scanCode::down, scanCode::left, scanCode::right});
  EXPECT_EQ(game().player.bobAngle, 80.0f);
  EXPECT_NEAR(game().player.offsetZ, 0.1f, 1e-6f);
  EXPECT_NEAR(game().player.offsetX, 0.0f, 1e-6f);
}

// The switches reach OpenGL when the next frame starts, each as a change:
// B takes the depth test off for that frame only, a fill mode set by
// someone else stays until W changes again, the texture environment is
// OpenGL's own until S is first pressed.
TEST_F(KeyTable, TheFrameAppliesTheSwitchesThatChanged) {
  AppliedDrawingSwitches applied;
  GLint polygonMode[2] = {};
  applyDrawingState(game().flags, applied);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(textureMode(), GL_MODULATE);

  press({scanCode::b, scanCode::w, scanCode::s});
  EXPECT_FALSE(glIsEnabled(GL_BLEND));  // nothing before the frame starts
  applyDrawingState(game().flags, applied);
  glGetIntegerv(GL_POLYGON_MODE, polygonMode);
  EXPECT_EQ(polygonMode[0], GL_LINE);
  EXPECT_TRUE(glIsEnabled(GL_BLEND) && !glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(textureMode(), GL_BLEND);

  glEnable(GL_DEPTH_TEST);  // a text print
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);  // the collision overlay's outline
  press({});
  press({scanCode::s});
  applyDrawingState(game().flags, applied);
  glGetIntegerv(GL_POLYGON_MODE, polygonMode);
  EXPECT_EQ(polygonMode[0], GL_FILL);
  EXPECT_TRUE(glIsEnabled(GL_BLEND) && glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(textureMode(), GL_DECAL);
}

}  // namespace
