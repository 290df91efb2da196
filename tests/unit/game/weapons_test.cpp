// The fire key with the real rules: re-trigger times, ammunition, sounds,
// the shot line against enemies and walls, kills and the impact point.
#include <gtest/gtest.h>

#include <unistd.h>

#include <vector>

#include "game/enemies.h"
#include "game/frame_clock.h"
#include "game/weapons.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/support/test_levels.h"
#include "world/level.h"

namespace {

// The corridor looked up from the eye at world (3, eyeZ) toward -z (heading
// 0), so sample s of a shot lies s units up the corridor. Row r holds z in
// (-2r, 2 - 2r]: from eyeZ -1 the first solid sample is 2 * rows - 1, from
// eyeZ -0.5 it is 2 * rows.
void corridor(int rows, float eyeZ = -1.0f) {
  corridorAlongColumnTwo(rows);
  putEyeAt(3.0f, eyeZ);
}

// Enemy 0 `units` up the line of the shot, at the distance the frame just
// drawn measured.
Enemy& enemyAhead(float units, float distance) {
  Enemy& enemy = placeFirstEnemy(3.0f, -game().player.cameraZ - units);
  enemy.distance = distance;
  return enemy;
}

void selectLaser() {
  game().player.laserSelected = true;
  game().player.rifleSelected = false;
}

class Weapons : public ::testing::Test {
 protected:
  void SetUp() override {
    startFreshGame();
    os->hasPerformanceCounter = false;  // whole milliseconds from multimediaMilliseconds
    os->multimediaMilliseconds = 10000;
    initFrameClock(game().clock);
  }
  void fireAt(unsigned milliseconds) {
    os->multimediaMilliseconds = 10000 + milliseconds;
    pullTrigger(game(), world().level);
  }

  ScopedRecordingOs os;
};

TEST_F(Weapons, HoldingTheKeyFiresOnceAndAReleaseOfTheRetriggerTimeFiresAgain) {
  corridor(20);
  for (unsigned t = 1000; t <= 3000; t += 15) fireAt(t);
  EXPECT_EQ(game().player.rifleAmmo, 29);
  fireAt(3085);  // released for 90 ms: too short
  EXPECT_EQ(game().player.rifleAmmo, 29);
  fireAt(3190);
  EXPECT_EQ(game().player.rifleAmmo, 28);
  EXPECT_EQ(game().player.shownAmmo, 28);
  EXPECT_EQ(game().player.laserAmmo, 20);
  EXPECT_EQ(game().player.lastFireTime, 3190.0);
  ASSERT_EQ(os->sounds.size(), 2u);
  EXPECT_EQ(os->sounds[0].fileName, "data/wav/m16.wav");
  EXPECT_EQ(os->sounds[0].mode, os::SoundMode::async | os::SoundMode::noWait);

  // The laser waits 500 ms and has its own sound.
  selectLaser();
  fireAt(3600);
  EXPECT_EQ(game().player.laserAmmo, 20);
  fireAt(4200);
  EXPECT_EQ(game().player.laserAmmo, 19);
  EXPECT_EQ(game().player.rifleAmmo, 28);
  EXPECT_EQ(os->sounds.back().fileName, "data/wav/laser.wav");
  EXPECT_EQ(os->sounds.back().mode, os::SoundMode::async | os::SoundMode::noWait | os::SoundMode::noStop);
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
    fireAt(1000);
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
    fireAt(1000 + 200 * shot);
    health.push_back(enemy.health);
  }
  EXPECT_EQ(health, (std::vector<std::int32_t>{13, 1, -11, -23}));  // a dead enemy is hit too
  EXPECT_FALSE(enemy.alive);
  EXPECT_EQ(enemy.model.sequence, 86);

  enemy.health = 1;
  enemy.alive = true;
  selectLaser();
  fireAt(5000);
  EXPECT_FALSE(enemy.alive);
  EXPECT_EQ(enemy.model.sequence, 91);
  ASSERT_EQ(chdir(folder), 0);
}

// The laser hits within a unit of the line, the rifle within half a unit.
TEST_F(Weapons, TheLaserHitsWiderThanTheRifle) {
  corridor(5);
  Enemy& enemy = enemyAhead(3.0f, 3.0f);
  enemy.posX = 3.7f;
  fireAt(1000);
  EXPECT_EQ(enemy.health, 25);
  selectLaser();
  fireAt(2000);
  EXPECT_EQ(enemy.health, 13);
}

TEST_F(Weapons, OnlyARifleMissMovesTheImpactPoint) {
  corridor(3);  // the wall 5 ahead
  selectLaser();
  fireAt(1000);
  EXPECT_EQ(game().impact.impactX, 0.0);
  EXPECT_EQ(game().impact.impactY, 10.0);
  EXPECT_EQ(game().impact.impactZ, 0.0);
  game().player.laserSelected = false;
  game().player.rifleSelected = true;
  fireAt(2000);
  EXPECT_DOUBLE_EQ(game().impact.impactX, 3.0);
  EXPECT_NEAR(game().impact.impactZ, -6.0, 1e-6);
  // A hit leaves the impact point of the last miss.
  enemyAhead(2.0f, 2.0f);
  fireAt(3000);
  EXPECT_LT(game().enemies[0].health, 25);
  EXPECT_NEAR(game().impact.impactZ, -6.0, 1e-6);
}

TEST_F(Weapons, AnEmptyWeaponFiresNothingButStillStartsSparks) {
  corridor(6);
  game().player.rifleAmmo = 0;
  game().player.shownAmmo = 0;
  game().player.lastFireTime = 123.0;
  fireAt(1000);
  EXPECT_TRUE(game().flags.shotTriggered);
  EXPECT_EQ(game().player.rifleAmmo, 0);
  EXPECT_EQ(game().player.lastFireTime, 123.0);
  EXPECT_TRUE(os->sounds.empty());
}

TEST_F(Weapons, ShotsFollowTheHeadingAndLeavingTheGridCountsAsAWall) {
  corridor(6);
  game().player.heading = 90.0f;  // toward -x: the side wall of the corridor
  fireAt(1000);
  EXPECT_NEAR(game().shot.shotDirX, -1.0f, 1e-6f);
  EXPECT_NEAR(game().shot.shotDirZ, 0.0f, 1e-6f);
  EXPECT_EQ(game().shot.wallStep, 2);  // x = 1 lies in column 1, beside the corridor
  // Far outside the maze (collision off) every sample is solid: step 0 ends
  // the shot at once and nothing can be hit.
  game().player.cameraX = 5000.0f;
  enemyAhead(1.0f, 1.0f).posX = -5000.0f;
  fireAt(2000);
  EXPECT_EQ(game().shot.wallStep, 0);
  EXPECT_EQ(game().enemies[0].health, 25);
}

}  // namespace
