// The fire key where the demos cannot look (moves.dem proves the re-trigger
// times and the empty weapons): the laser's wider reach and fall (no demo
// kills with it), an enemy standing at the wall sample and an enemy the
// level had no room for. The rifle's fall and both sounds are in the demo
// pictures.
#include <gtest/gtest.h>

#include "game/enemies.h"
#include "game/frame_clock.h"
#include "game/weapons.h"
#include "tests/support/gl_context.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/recording_os.h"
#include "tests/unit/game/game_fixtures.h"
#include "world/level.h"

namespace {

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

// Enemy 1's record stands where enemy 0 does, but the level had no room for
// it, so it is no enemy; an enemy at the very sample of the wall is behind it.
TEST_F(Weapons, AnEnemyInFrontOfTheWallTakesDamageAndOneAtItNone) {
  struct Case {
    int rows;
    std::int32_t health;
  } const cases[] = {{3, 13}, {2, 25}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rows);
    startFreshGame();
    corridor(c.rows);
    Enemy& enemy = enemyAhead(3.0f);
    game().enemies[1].posX = enemy.posX;
    game().enemies[1].posZ = enemy.posZ;
    game().enemies[1].health = 25;
    fireAt(1000);
    EXPECT_EQ(game().enemies[1].health, 25);
    EXPECT_EQ(enemy.health, c.health);
  }
}

// The laser hits within a unit of the line, where the rifle (within half a
// unit, as fight.dem shows) misses, and gives the figure a fall of its own.
TEST_F(Weapons, TheLaserHitsAUnitOffTheLineAndGivesItsOwnFall) {
  InDataFolder dataFolder;
  TestGlContext gl(16, 16);
  ASSERT_TRUE(gl.ok());
  corridor(5);
  makeFiguresPlaceNone();
  Enemy& enemy = enemyAhead(3.0f);
  enemy.posX = 3.9f;
  enemy.health = 1;
  game().player.laserSelected = true;
  game().player.rifleSelected = false;
  fireAt(2000);
  EXPECT_FALSE(enemy.alive);
  EXPECT_EQ(enemy.model.sequence, 91);
}

}  // namespace
