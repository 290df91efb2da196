// The enemies with the real figure, a real level grid and a real GL context.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "game/enemies.h"
#include "game/enemy_figure.h"
#include "render/gl_api.h"
#include "render/scene_projection.h"
#include "tests/support/gl_context.h"
#include "tests/support/picture_census.h"
#include "tests/support/recording_os.h"
#include "tests/support/test_levels.h"
#include "world/level.h"

namespace {

// The first seed whose first draw % 4 is `wanted`.
unsigned seedDrawingFirst(int wanted) {
  for (unsigned seed = 1;; ++seed) {
    GameRandom random;
    seedRandom(random, seed);
    if (nextRandom(random) % 4 == wanted) return seed;
  }
}

class Enemies : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    startFreshGame();
    ASSERT_EQ(getcwd(previousFolder, sizeof previousFolder), previousFolder);
    ASSERT_EQ(chdir(BRAKMOOR_DATA_DIR), 0);
  }
  void TearDown() override { ASSERT_EQ(chdir(previousFolder), 0); }
  void frames(int count) {
    for (int i = 0; i < count; ++i) {
      moveAndDrawEnemies(game(), world().level);
      enemiesFire(game());
    }
  }
  // The real figures made, only enemy 0 left placed.
  Enemy& onlyFirstFigure(float x, float z) {
    createEnemies(game(), world().level);
    for (Enemy& enemy : game().enemies) enemy.placed = false;
    return placeFirstEnemy(x, z);
  }

  TestGlContext gl{64, 64};
  ScopedRecordingOs os;
  char previousFolder[4096] = {};
};

TEST_F(Enemies, SetUpPutsAllFiveOnTheOnlyOpenCellWithFullHealthAndTheWalk) {
  openCells(5, {{2, 2}});
  game().enemies[3].shotCounter = 99;
  createEnemies(game(), world().level);
  for (const Enemy& enemy : game().enemies) {
    EXPECT_TRUE(enemy.placed && enemy.alive && enemy.model.loaded());
    EXPECT_EQ(enemy.posX, 3.0f);
    EXPECT_EQ(enemy.posZ, -3.0f);
    EXPECT_EQ(enemy.model.sequence, 4);
    EXPECT_EQ(enemy.health, 25);
    EXPECT_EQ(enemy.shotCounter, 0);
    EXPECT_TRUE(enemy.walkDirection >= 0 && enemy.walkDirection <= 4);
    EXPECT_GT(enemy.reach, 40.0f);  // the soldier's own, measured
  }
  // Loading leaves the game's 47-degree projection of aspect 1.26.
  float projection[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  const float focal = 1.0f / std::tan(23.5f * 3.14159265f / 180.0f);
  EXPECT_NEAR(projection[5], focal, 1e-4f);
  EXPECT_NEAR(projection[0], focal / 1.26f, 1e-4f);
}

TEST_F(Enemies, ALevelWithNoRoomPlacesNoEnemyAndNeverHangs) {
  for (std::int32_t size : {0, 5}) {
    openCells(size, {{7, 7}});  // open, but outside the level's size
    EnemyFigureState figures;
    EXPECT_FALSE(pickRandomOpenCell(world().level, figures, game().random)) << size;
  }
  createEnemies(game(), world().level);
  putEyeAt(3.0f, -3.0f);
  frames(50);
  for (const Enemy& enemy : game().enemies) EXPECT_FALSE(enemy.placed);
  EXPECT_TRUE(os->sounds.empty());
}

// Draws that never meet the only open cell are cut off after 2^22 pairs;
// one more draw then picks among the open cells, so the search always ends.
TEST(EnemyPlacement, AfterTheCutOffTheCellIsPickedAmongTheOpenOnes) {
  auto level = std::make_unique<LevelData>();
  level->sizeX = level->sizeY = 32768;  // draws land on 1..32768, the grid holds 1..253
  level->levelGrid[levelGridSide * 200 + 100] = 1;
  GameRandom random, counting;
  seedRandom(random, 7);
  seedRandom(counting, 7);
  EnemyFigureState figures;
  ASSERT_TRUE(pickRandomOpenCell(*level, figures, random));
  EXPECT_EQ(figures.randomCellX, 200);
  EXPECT_EQ(figures.randomCellY, 100);
  for (int draw = 0; draw < (2 << 22) + 1; ++draw) nextRandom(counting);
  EXPECT_EQ(random.state, counting.state);
}

TEST(EnemyFacing, TurnsTowardTheEyeAlongEachAxisAndStaysDefinedAtTheEye) {
  struct Case {
    float dx, dz, degrees;
  } const cases[] = {{-1, 0, 0}, {1, 0, 180}, {0, -1, 90}, {0, 1, -90}};
  for (const Case& c : cases) {
    // dx = cameraX + posX, dz = -posZ - cameraZ, here with the camera at 0.
    EXPECT_NEAR(enemyFacingAngle(0.0f, 0.0f, c.dx, -c.dz), c.degrees, 1e-3f) << c.dx << "," << c.dz;
  }
  EXPECT_EQ(enemyFacingAngle(-3.0f, 5.0f, 3.0f, -5.0f), 0.0f);
}

TEST_F(Enemies, ABlockedEnemyWalksTheNewDirectionInTheSameFrameAndFourStandsStill) {
  openCells(5, {{2, 2}, {2, 3}});  // (3, 2) is solid, (2, 3) lies toward -z
  Enemy& enemy = placeFirstEnemy(3.0f, -3.0f, 0);
  putEyeAt(3.0f, -20.0f);
  seedRandom(game().random, seedDrawingFirst(2));
  frames(1);
  EXPECT_EQ(enemy.walkDirection, 2);
  EXPECT_EQ(enemy.posX, 3.0f);
  EXPECT_FLOAT_EQ(enemy.posZ, -3.05f);
  EXPECT_EQ(game().figures.drawTransform.z, -3.0f);  // drawn where it stood

  corridorAlongColumnTwo();
  placeFirstEnemy(3.0f, -3.0f);
  putEyeAt(3.0f, -9.0f);
  frames(200);
  EXPECT_EQ(enemy.posX, 3.0f);
  EXPECT_EQ(enemy.posZ, -3.0f);
  EXPECT_NEAR(game().figures.drawTransform.yaw, 90.0f, 1e-3f);
  EXPECT_LT(game().player.health, 500);
}

TEST_F(Enemies, OneSolidCellOnTheLineBlocksTheSight) {
  corridorAlongColumnTwo();
  Enemy& enemy = placeFirstEnemy(3.0f, -3.0f);
  putEyeAt(3.0f, -11.0f);
  frames(1);
  EXPECT_TRUE(enemy.seesPlayer);
  EXPECT_FLOAT_EQ(enemy.distance, 8.0f);
  world().level.levelGrid[levelGridSide * 2 + 4] = 0;  // the cell centred at z = -7
  frames(1);
  EXPECT_FALSE(enemy.seesPlayer);
  // At the eye itself only the enemy's own cell is looked at.
  putEyeAt(3.0f, -7.0f);
  enemy.posZ = -7.0f;
  frames(1);
  EXPECT_EQ(enemy.distance, 0.0f);
  EXPECT_FALSE(enemy.seesPlayer);
}

// Off the 255 x 255 array every place counts as solid, even with every cell
// of the array open (the ring included); a line of over a million units
// has no samples at all and counts as clear.
TEST_F(Enemies, SightOffTheGridIsBlockedUnlessTheLineIsTooLongToSample) {
  openCells(25, {});
  for (std::int32_t& cell : world().level.levelGrid) cell = 1;
  struct Case {
    float enemyX, enemyZ, eyeX, eyeZ;
    bool sees;
  } const cases[] = {
      {3, -3, 3, -11, true},    // both on the grid
      {3, -3, 3, 5, false},     // the eye beyond row 0
      {3, -3, -5, -3, false},   // the eye beyond column 0
      {3, 5, 3, -3, false},     // the enemy beyond row 0
      {3e6f, -3, 3e6f - 4, -3, false},  // the enemy far beyond column 254
      {3, -3, 3, 2e7f, true},   // too far to sample
  };
  for (const Case& c : cases) {
    Enemy& enemy = placeFirstEnemy(c.enemyX, c.enemyZ);
    putEyeAt(c.eyeX, c.eyeZ);
    frames(1);
    EXPECT_EQ(enemy.seesPlayer, c.sees) << "enemy (" << c.enemyX << ", " << c.enemyZ << ")";
  }
}

// The set-up stops at the first figure that cannot be loaded and hands the
// loader's text up for the program to print.
TEST_F(Enemies, AFigureThatCannotBeLoadedIsReportedAndNoEnemyIsPlaced) {
  openCells(5, {{2, 2}});
  ASSERT_EQ(chdir(::testing::TempDir().c_str()), 0);
  EXPECT_EQ(createEnemies(game(), world().level), std::string("unable to open ") + enemyFigureFile + "\n");
  for (const Enemy& enemy : game().enemies) EXPECT_FALSE(enemy.placed || enemy.alive || enemy.model.loaded());
}

TEST_F(Enemies, FireCostsFifteenMinusTheDistanceOnlyWithinRange) {
  corridorAlongColumnTwo();
  struct Case {
    float distance;
    std::int32_t healthAfter;  // 500: no shot
  } const cases[] = {{15.0f, 500}, {15.5f, 500}, {3.2f, 488}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.distance);
    startFreshGame();
    os->sounds.clear();
    placeFirstEnemy(3.0f, -3.0f);
    putEyeAt(3.0f, -3.0f - c.distance);
    frames(1);
    EXPECT_EQ(game().player.health, c.healthAfter);
    ASSERT_EQ(os->sounds.size(), c.distance <= 15.0f ? 1u : 0u);
    if (os->sounds.empty()) continue;
    EXPECT_EQ(os->sounds[0].fileName, "data/wav/hit.wav");
    EXPECT_EQ(os->sounds[0].mode, os::SoundMode::async | os::SoundMode::noWait | os::SoundMode::noStop);
  }
}

TEST_F(Enemies, AtSixtyMeasuredFramesASeeingEnemyFiresEveryHundredTwentyFrames) {
  corridorAlongColumnTwo();
  Enemy& enemy = placeFirstEnemy(3.0f, -3.0f);
  putEyeAt(3.0f, -8.0f);
  enemy.measuredFrameRate = 60.0;  // the clock stands still, so no new measurement replaces it
  std::vector<int> firedAt;
  for (int frame = 0; frame < 500; ++frame) {
    const std::size_t before = os->sounds.size();
    frames(1);
    if (os->sounds.size() > before) firedAt.push_back(frame);
  }
  EXPECT_EQ(firedAt, (std::vector<int>{119, 239, 359, 479}));

  // Before the first measurement one shot comes at once, and no more until
  // the rate is known.
  startFreshGame();
  Enemy& unmeasured = placeFirstEnemy(3.0f, -3.0f);
  putEyeAt(3.0f, -8.0f);
  os->sounds.clear();
  frames(9);
  EXPECT_EQ(os->sounds.size(), 1u);

  // The measurement: ten frames 100 ms apart give 10.
  os->hasPerformanceCounter = false;
  unmeasured.rateCounter = 0;
  unmeasured.rateLastTime = 0.0;
  for (int frame = 0; frame < 10; ++frame) {
    os->multimediaMilliseconds += 100;
    frames(1);
  }
  EXPECT_DOUBLE_EQ(unmeasured.measuredFrameRate, 10.0);
}

TEST_F(Enemies, TheLastHitLeavesZeroHealthAndMarksThePlayerDead) {
  corridorAlongColumnTwo();
  placeFirstEnemy(3.0f, -3.0f);
  putEyeAt(3.0f, -6.2f);
  game().player.health = 5;
  frames(1);
  EXPECT_EQ(game().player.health, 0);
  EXPECT_TRUE(game().player.dead);
  game().enemies[0].measuredFrameRate = 60.0;  // ready to fire again at once
  game().enemies[0].shotCounter = 1000;
  frames(1);  // a dead player hears no more hits
  EXPECT_EQ(os->sounds.size(), 1u);
  EXPECT_EQ(game().player.health, 0);
}

TEST_F(Enemies, AKilledEnemyStandsStillFiresNoMoreAndKeepsFacingThePlayer) {
  corridorAlongColumnTwo();
  Enemy& enemy = onlyFirstFigure(3.0f, -3.0f);
  enemy.walkDirection = 2;
  enemy.alive = false;
  enemy.health = 0;
  setModelSequence(enemy.model, 86);
  putEyeAt(3.0f, -8.0f);  // in plain sight, within range
  frames(100);
  EXPECT_EQ(enemy.posZ, -3.0f);
  EXPECT_EQ(enemy.model.sequence, 86);
  EXPECT_NEAR(game().figures.drawTransform.yaw, 90.0f, 1e-3f);
  EXPECT_TRUE(os->sounds.empty());
}

TEST_F(Enemies, AFigureCoversThePixelsWhereItStandsAndNoOthers) {
  openCells(5, {{1, 1}});
  Enemy& enemy = onlyFirstFigure(0.0f, -3.0f);
  // The eye at floor level 0.4 up, looking toward -z at the figure's middle.
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0.0f, -0.4f, 0.0f);
  putEyeAt(0.0f, 0.0f);
  moveAndDrawEnemies(game(), world().level);
  const std::vector<std::uint8_t> pixels = gl.readPixels();
  // The figure is 0.8 high and at most about 0.6 wide: at 3 units under the
  // 47-degree projection it spans rows of about +-0.15 of the height around
  // the middle and a narrower band of columns.
  const int covered = census(pixels, 64, {0, 0, 64, 64}).lit();
  EXPECT_GT(covered, 60);
  EXPECT_EQ(census(pixels, 64, {22, 21, 42, 43}).lit(), covered);
  EXPECT_GT(census(pixels, 64, {31, 31, 33, 33}).lit(), 0);  // the middle is the body

  // Behind the eye the figure is not drawn at all, yet it goes on animating.
  enemy.posZ = 3.0f;
  const int drawsBefore = enemy.model.work.drawCounter;
  const float frameBefore = enemy.model.frame;
  os->ticks += 50;
  moveAndDrawEnemies(game(), world().level);
  EXPECT_EQ(enemy.model.work.drawCounter, drawsBefore);
  EXPECT_NE(enemy.model.frame, frameBefore);
  EXPECT_EQ(game().figures.lastAnimationTime, static_cast<float>(os->ticks * 0.001));
}

// Beside the view at 3 units the figure is drawn when its reach (0.01 world
// units per model unit) takes its box into the view, and culled when not.
TEST_F(Enemies, TheFiguresReachDecidesWhetherItIsDrawnBesideTheView) {
  openCells(5, {{1, 1}});
  Enemy& enemy = onlyFirstFigure(2.4f, -3.0f);  // the view's edge lies near x = 1.9
  setGameDrawingProjection();
  putEyeAt(0.0f, 0.0f);
  for (const float reach : {100.0f, 10.0f}) {
    enemy.reach = reach;
    const int drawsBefore = enemy.model.work.drawCounter;
    moveAndDrawEnemies(game(), world().level);
    EXPECT_EQ(enemy.model.work.drawCounter - drawsBefore, reach > 50.0f ? 1 : 0) << "reach " << reach;
  }
}

}  // namespace
