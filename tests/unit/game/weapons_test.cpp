// The fire key with the real rules: re-trigger times, ammunition, sounds,
// the shot line against enemies and walls, kills and the impact point.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <initializer_list>

#include "game/enemies.h"
#include "tests/support/test_records.h"
#include "game/game.h"
#include "game/key_codes.h"
#include "game/weapons.h"
#include "game/frame_clock.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/unit/game/game_fixtures.h"
#include "world/level.h"

namespace {

// A corridor along column 2 from row 1 to `rows`, looked up from the eye at
// world (3, eyeZ) toward -z (heading 0), so sample s of a shot lies s units
// up the corridor. Row r holds z in (-2r, 2 - 2r]: from eyeZ -1 the first
// solid sample is 2 * rows - 1, from eyeZ -0.5 it is 2 * rows.
void corridor(int rows, float eyeZ = -1.0f) {
  std::memset(&world().level, 0, sizeof world().level);
  world().level.sizeX = world().level.sizeY = 30;
  for (int row = 1; row <= rows; ++row) world().level.levelGrid[levelGridSide * 2 + row] = 1;
  game().player.cameraX = -3.0f;
  game().player.cameraZ = -eyeZ;
}

Enemy& enemyAhead(float units, float distance) {
  Enemy& enemy = game().enemies[0];
  enemy.placed = enemy.alive = true;
  enemy.health = 25;
  enemy.posX = 3.0f;
  enemy.posZ = -game().player.cameraZ - units;
  enemy.distance = distance;  // as the frame just drawn measured it
  return enemy;
}

class Weapons : public ::testing::Test {
 protected:
  void SetUp() override {
    startFreshGame();
    os->hasPerformanceCounter = false;  // whole milliseconds from multimediaMilliseconds
    os->multimediaMilliseconds = 10000;
    initFrameClock(game().clock);
  }
  void at(unsigned milliseconds) { os->multimediaMilliseconds = 10000 + milliseconds; }
  void fire() { pullTrigger(game(), world().level); }

  ScopedRecordingOs os;
};

TEST_F(Weapons, HoldingTheKeyFiresOnceAndAReleaseOfTheRetriggerTimeFiresAgain) {
  corridor(20);
  for (unsigned t = 1000; t <= 3000; t += 15) {
    at(t);
    fire();
  }
  EXPECT_EQ(game().player.rifleAmmo, 29);
  at(3085);  // released for 90 ms: too short
  fire();
  EXPECT_EQ(game().player.rifleAmmo, 29);
  at(3190);
  fire();
  EXPECT_EQ(game().player.rifleAmmo, 28);
  EXPECT_EQ(game().player.shownAmmo, 28);
  EXPECT_EQ(game().player.laserAmmo, 20);
  EXPECT_EQ(game().player.lastFireTime, 3190.0);
  ASSERT_EQ(os->sounds.size(), 2u);
  EXPECT_EQ(os->sounds[0].fileName, "data/wav/m16.wav");
  EXPECT_EQ(os->sounds[0].mode, os::SoundMode::async | os::SoundMode::noWait);

  // The laser waits 500 ms and has its own sound.
  game().player.laserSelected = true;
  game().player.rifleSelected = false;
  at(3600);
  fire();
  EXPECT_EQ(game().player.laserAmmo, 20);
  at(4200);
  fire();
  EXPECT_EQ(game().player.laserAmmo, 19);
  EXPECT_EQ(game().player.rifleAmmo, 28);
  EXPECT_EQ(os->sounds.back().fileName, "data/wav/laser.wav");
  EXPECT_EQ(os->sounds.back().mode,
            os::SoundMode::async | os::SoundMode::noWait | os::SoundMode::noStop);
}

TEST_F(Weapons, AnEnemyInFrontOfTheWallTakesDamageAndOneBehindItNone) {
  struct Case {
    int wallAhead, rows;
    float eyeZ;
    std::int32_t health;
  } const cases[] = {{5, 3, -1.0f, 13}, {2, 1, -0.5f, 25}, {3, 2, -1.0f, 25}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wallAhead);
    startFreshGame();
    corridor(c.rows, c.eyeZ);
    Enemy& enemy = enemyAhead(3.0f, 3.0f);
    // A place the level had no room for is no enemy, wherever its record says.
    game().enemies[1].posX = enemy.posX;
    game().enemies[1].posZ = enemy.posZ;
    game().enemies[1].health = 25;
    at(1000);
    fire();
    EXPECT_EQ(game().enemies[1].health, 25);
    EXPECT_EQ(game().shot.wallStep, c.wallAhead);
    EXPECT_EQ(game().shot.hitStep[0], 3);
    EXPECT_EQ(enemy.health, c.health);
  }
}

TEST_F(Weapons, TheThirdRifleHitKillsAndTheLaserGivesItsOwnFall) {
  char folder[4096];
  ASSERT_EQ(getcwd(folder, sizeof folder), folder);
  ASSERT_EQ(chdir(BRAKMOOR_DATA_DIR), 0);
  TestGlContext gl(16, 16);
  ASSERT_TRUE(gl.ok());
  corridor(5);
  createEnemies(game(), world().level);
  for (Enemy& other : game().enemies) other.placed = false;
  Enemy& enemy = enemyAhead(3.0f, 3.0f);
  std::vector<std::int32_t> health;
  for (unsigned shot = 0; shot < 4; ++shot) {
    at(1000 + 200 * shot);
    fire();
    health.push_back(enemy.health);
  }
  EXPECT_EQ(health, (std::vector<std::int32_t>{13, 1, -11, -23}));  // a dead enemy is hit too
  EXPECT_FALSE(enemy.alive);
  EXPECT_EQ(enemy.model.sequence, 86);

  enemy.health = 1;
  enemy.alive = true;
  game().player.laserSelected = true;
  game().player.rifleSelected = false;
  at(5000);
  fire();
  EXPECT_FALSE(enemy.alive);
  EXPECT_EQ(enemy.model.sequence, 91);
  ASSERT_EQ(chdir(folder), 0);
}

TEST_F(Weapons, OnlyARifleMissMovesTheImpactPoint) {
  corridor(3);  // the wall 5 ahead
  at(1000);
  game().player.laserSelected = true;
  game().player.rifleSelected = false;
  fire();
  EXPECT_EQ(game().impact.impactX, 0.0);
  EXPECT_EQ(game().impact.impactY, 10.0);
  EXPECT_EQ(game().impact.impactZ, 0.0);
  game().player.laserSelected = false;
  game().player.rifleSelected = true;
  at(2000);
  fire();
  EXPECT_DOUBLE_EQ(game().impact.impactX, 3.0);
  EXPECT_NEAR(game().impact.impactZ, -6.0, 1e-6);
  // A hit leaves the impact point of the last miss.
  enemyAhead(2.0f, 2.0f);
  at(3000);
  fire();
  EXPECT_LT(game().enemies[0].health, 25);
  EXPECT_NEAR(game().impact.impactZ, -6.0, 1e-6);
}

TEST_F(Weapons, AnEmptyWeaponFiresNothingButStillStartsSparks) {
  corridor(6);
  game().player.rifleAmmo = 0;
  game().player.shownAmmo = 0;
  game().player.lastFireTime = 123.0;
  at(1000);
  fire();
  EXPECT_TRUE(game().flags.shotTriggered);
  EXPECT_EQ(game().player.rifleAmmo, 0);
  EXPECT_EQ(game().player.lastFireTime, 123.0);
  EXPECT_TRUE(os->sounds.empty());
}

TEST_F(Weapons, ShotsFollowTheHeadingAndLeavingTheGridCountsAsAWall) {
  corridor(6);
  game().player.heading = 90.0f;  // toward -x: the side wall of the corridor
  at(1000);
  fire();
  EXPECT_NEAR(game().shot.shotDirX, -1.0f, 1e-6f);
  EXPECT_NEAR(game().shot.shotDirZ, 0.0f, 1e-6f);
  EXPECT_EQ(game().shot.wallStep, 2);  // x = 1 lies in column 1, beside the corridor
  // Far outside the maze (collision off) every sample is solid: step 0 ends
  // the shot at once and nothing can be hit.
  game().player.cameraX = 5000.0f;
  enemyAhead(1.0f, 1.0f).posX = -5000.0f;
  at(2000);
  fire();
  EXPECT_EQ(game().shot.wallStep, 0);
  EXPECT_EQ(game().enemies[0].health, 25);
}

}  // namespace
