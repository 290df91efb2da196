#include <gtest/gtest.h>

#include "game/controls.h"
#include "game/enemy_table.h"
#include "game/key_codes.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/unit/game/game_fixtures.h"

namespace {

const MovementContext clearWay{true, CollisionFlags{}, 4};

class KeyTable : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    resetGameGlobals();
  }

  KeyStepResult press(std::initializer_list<std::uint8_t> codes) {
    const KeyState keys = keysDown(codes);
    return applyKeyTable(keys.data(), clearWay);
  }

  TestGlContext gl;
};

TEST_F(KeyTable, HoldingBTogglesBlendingOnceUntilReleased) {
  for (int pass = 0; pass < 20; ++pass) press({scanCode::b});
  EXPECT_TRUE(gameFlags.blendMode);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  press({});
  press({scanCode::b});
  EXPECT_FALSE(gameFlags.blendMode);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(KeyTable, CAndHAlreadyDownAtTheStartActOnlyAfterRelease) {
  press({scanCode::c, scanCode::h});
  EXPECT_TRUE(gameFlags.collisionEnabled);
  EXPECT_TRUE(gameFlags.crosshairVisible);
  press({});
  press({scanCode::c, scanCode::h});
  EXPECT_FALSE(gameFlags.collisionEnabled);
  EXPECT_FALSE(gameFlags.crosshairVisible);
  // F and D start released and act on the first press.
  press({scanCode::f, scanCode::d});
  EXPECT_TRUE(gameFlags.showFps);
  EXPECT_TRUE(gameFlags.showCollisionDebug);
}

TEST_F(KeyTable, LineAndTextureSwitchesChangeTheDrawingState) {
  press({scanCode::w, scanCode::s});
  GLint polygonMode[2] = {};
  glGetIntegerv(GL_POLYGON_MODE, polygonMode);
  EXPECT_EQ(polygonMode[0], GL_LINE);
  GLint environment = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
  EXPECT_EQ(environment, GL_BLEND);
  press({});
  press({scanCode::w, scanCode::s});
  glGetIntegerv(GL_POLYGON_MODE, polygonMode);
  EXPECT_EQ(polygonMode[0], GL_FILL);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
  EXPECT_EQ(environment, GL_DECAL);
}

TEST_F(KeyTable, OneAndTwoTogetherSelectTheLaser) {
  playerState.laserAmmo = 17;
  press({scanCode::digit1, scanCode::digit2});
  EXPECT_TRUE(playerState.laserSelected);
  EXPECT_FALSE(playerState.rifleSelected);
  EXPECT_EQ(playerState.shownAmmo, 17);
  playerState.rifleAmmo = 29;
  press({scanCode::digit1});
  EXPECT_TRUE(playerState.rifleSelected);
  EXPECT_EQ(playerState.shownAmmo, 29);
}

TEST_F(KeyTable, EscapeEndsTheGameAfterTheRestOfThePass) {
  const KeyStepResult result = press({scanCode::escape, scanCode::rightControl, scanCode::up});
  EXPECT_TRUE(result.endGame);
  EXPECT_TRUE(gameFlags.shotTriggered);
  EXPECT_NEAR(playerState.offsetZ, -0.1f, 1e-6f);
  EXPECT_FALSE(press({}).endGame);
}

TEST_F(KeyTable, FullScreenSwitchAndEnemyStopActOncePerPress) {
  EXPECT_TRUE(press({scanCode::f1, scanCode::m}).switchFullScreen);
  EXPECT_TRUE(enemyTable.alive[0]);
  EXPECT_FALSE(press({scanCode::f1, scanCode::m}).switchFullScreen);
  EXPECT_TRUE(enemyTable.alive[0]);
  press({});
  EXPECT_TRUE(press({scanCode::f1, scanCode::m}).switchFullScreen);
  EXPECT_FALSE(enemyTable.alive[0]);
}

TEST_F(KeyTable, ArrowKeysApplyInOrderWithTheirBobs) {
  // Up advances the bob by 10, Down, Left and Right each take 10 off.
  playerState.bobAngle = 100.0f;
  press({scanCode::up, scanCode::down, scanCode::left, scanCode::right});
  EXPECT_EQ(playerState.bobAngle, 80.0f);
  // Up 0.1 forward, Down 0.2 back, the side steps cancel out.
  EXPECT_NEAR(playerState.offsetZ, 0.1f, 1e-6f);
  EXPECT_NEAR(playerState.offsetX, 0.0f, 1e-6f);
}

TEST_F(KeyTable, KeysWithoutTheDownBitDoNothing) {
  KeyState keys{};
  keys.fill(0x7F);
  const KeyStepResult result = applyKeyTable(keys.data(), clearWay);
  EXPECT_FALSE(result.endGame);
  EXPECT_FALSE(result.switchFullScreen);
  EXPECT_EQ(playerState.offsetZ, 0.0f);
  EXPECT_FALSE(gameFlags.shotTriggered);
  EXPECT_FALSE(gameFlags.blendMode);
}

}  // namespace
