// The enemies with the real figure, a real level grid and a real GL context.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

#include "game/enemies.h"
#include "tests/support/test_records.h"
#include "game/game.h"
#include "game/key_codes.h"
#include "game/enemy_figure.h"
#include "model/model_draw_state.h"
#include "render/gl_api.h"
#include "render/scene_projection.h"
#include "model/model_reach.h"
#include "tests/support/gl_context.h"
#include "tests/unit/model/test_model_builder.h"
#include "tests/support/recording_os.h"
#include "tests/unit/game/game_fixtures.h"
#include "world/level.h"

namespace {

void openCells(std::int32_t size, std::initializer_list<std::pair<int, int>> cells) {
  std::memset(&world().level, 0, sizeof world().level);
  world().level.sizeX = world().level.sizeY = size;
  world().level.startX = world().level.startY = 1;
  for (auto [x, y] : cells) world().level.levelGrid[levelGridSide * x + y] = 1;
}

// A corridor along column 2, rows 1 to 20: cell (2, r) is centred at
// (3, 1 - 2r).
void corridorAlongColumnTwo() {
  openCells(25, {});
  for (int row = 1; row <= 20; ++row) world().level.levelGrid[levelGridSide * 2 + row] = 1;
}

// The eye at world (x, z): the camera translation is its negation.
void putEyeAt(float x, float z) {
  game().player.cameraX = -x;
  game().player.cameraZ = -z;
}

Enemy& placeFirstEnemy(float x, float z, int direction) {
  Enemy& enemy = game().enemies[0];
  enemy.placed = enemy.alive = true;
  enemy.posX = x;
  enemy.posZ = z;
  enemy.walkDirection = direction;
  enemy.health = 25;
  return enemy;
}

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
  EXPECT_EQ(game().player.health, 500);
  EXPECT_TRUE(os->sounds.empty());
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
  placeFirstEnemy(3.0f, -3.0f, 4);
  putEyeAt(3.0f, -9.0f);
  frames(200);
  EXPECT_EQ(enemy.posX, 3.0f);
  EXPECT_EQ(enemy.posZ, -3.0f);
  EXPECT_NEAR(game().figures.drawTransform.yaw, 90.0f, 1e-3f);
  EXPECT_LT(game().player.health, 500);
}

TEST_F(Enemies, OneSolidCellOnTheLineBlocksTheSight) {
  corridorAlongColumnTwo();
  Enemy& enemy = placeFirstEnemy(3.0f, -3.0f, 4);
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
    bool fires;
    std::int32_t healthAfter;
  } const cases[] = {{15.0f, true, 500}, {15.5f, false, 500}, {3.2f, true, 488}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.distance);
    startFreshGame();
    os->sounds.clear();
    placeFirstEnemy(3.0f, -3.0f, 4);
    putEyeAt(3.0f, -3.0f - c.distance);
    frames(1);
    EXPECT_EQ(game().player.health, c.healthAfter);
    ASSERT_EQ(os->sounds.size(), c.fires ? 1u : 0u);
    if (c.fires) {
      EXPECT_EQ(os->sounds[0].fileName, "data/wav/hit.wav");
      EXPECT_EQ(os->sounds[0].mode,
                os::SoundMode::async | os::SoundMode::noWait | os::SoundMode::noStop);
    }
  }
}

TEST_F(Enemies, AtSixtyMeasuredFramesASeeingEnemyFiresEveryHundredTwentyFrames) {
  corridorAlongColumnTwo();
  Enemy& enemy = placeFirstEnemy(3.0f, -3.0f, 4);
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
  Enemy& unmeasured = placeFirstEnemy(3.0f, -3.0f, 4);
  putEyeAt(3.0f, -8.0f);
  os->sounds.clear();
  frames(9);
  EXPECT_EQ(os->sounds.size(), 1u);

  // The measurement: ten frames over one second of frame clock give 10.
  os->hasPerformanceCounter = false;
  unmeasured.rateCounter = 0;
  unmeasured.rateLastTime = 0.0;
  os->multimediaMilliseconds = 1000;
  frames(10);
  EXPECT_DOUBLE_EQ(unmeasured.measuredFrameRate, 10.0);
}

TEST_F(Enemies, TheLastHitLeavesZeroHealthAndMarksThePlayerDead) {
  corridorAlongColumnTwo();
  placeFirstEnemy(3.0f, -3.0f, 4);
  putEyeAt(3.0f, -6.2f);
  game().player.health = 5;
  frames(1);
  EXPECT_EQ(game().player.health, 0);
  EXPECT_TRUE(game().player.dead);
  game().enemies[0].shotCounter = 1000;
  frames(1);  // a dead player hears no more hits
  EXPECT_EQ(os->sounds.size(), 1u);
  EXPECT_EQ(game().player.health, 0);
}

// Lowest and highest height of the figure's body above its origin, in model
// units, for the pose last drawn.
std::pair<float, float> bodyHeight(ModelInstance& figure) {
  figure.setUpBones();
  figure.setUpSubmodel(0);
  figure.drawSubmodel();
  const int count = model_format::readInt32(figure.currentSubmodel + model_format::submodel::vertexCount);
  const auto [low, high] = std::minmax_element(figure.work.transformedVertices, figure.work.transformedVertices + count,
                                               [](const Vec3& a, const Vec3& b) { return a.z < b.z; });
  return {low->z, high->z};
}

TEST_F(Enemies, AKilledEnemyStandsFallsToTheLyingPoseAndKeepsFacingThePlayer) {
  corridorAlongColumnTwo();
  createEnemies(game(), world().level);
  Enemy& enemy = placeFirstEnemy(3.0f, -3.0f, 2);
  for (int i = 1; i < MAX_ENEMIES; ++i) game().enemies[i].placed = false;
  enemy.alive = false;
  enemy.health = 0;
  setModelSequence(enemy.model, 86);
  putEyeAt(3.0f, -8.0f);  // in plain sight, within range
  frames(100);
  EXPECT_EQ(enemy.posZ, -3.0f);
  EXPECT_EQ(enemy.model.sequence, 86);
  EXPECT_LE(bodyHeight(enemy.model).second, -20.0f);  // lying: the head near the floor
  const float towardEye = enemyFacingAngle(game().player.cameraX, game().player.cameraZ, 3.0f, -3.0f);
  EXPECT_EQ(game().figures.drawTransform.yaw, towardEye);
  EXPECT_TRUE(os->sounds.empty());  // no health, no fire
}

TEST_F(Enemies, KeyMStopsAndRestartsTheFirstEnemy) {
  corridorAlongColumnTwo();
  Enemy& enemy = placeFirstEnemy(3.0f, -3.0f, 2);
  putEyeAt(30.0f, 30.0f);
  const KeyState m = keysDown({scanCode::m}), none{};
  applyKeyTable(game(), world().level, m.data(), movementContextOfLastFrame(game(), world()));
  frames(10);
  EXPECT_EQ(enemy.posZ, -3.0f);
  applyKeyTable(game(), world().level, none.data(), movementContextOfLastFrame(game(), world()));
  applyKeyTable(game(), world().level, m.data(), movementContextOfLastFrame(game(), world()));
  frames(10);
  EXPECT_NEAR(enemy.posZ, -3.5f, 1e-4f);
}

TEST_F(Enemies, AFigureCoversThePixelsWhereItStandsAndNoOthers) {
  openCells(5, {{1, 1}});
  createEnemies(game(), world().level);
  for (int i = 1; i < MAX_ENEMIES; ++i) game().enemies[i].placed = false;
  Enemy& enemy = placeFirstEnemy(0.0f, -3.0f, 4);
  // The eye at floor level 0.4 up, looking toward -z at the figure's middle.
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0.0f, -0.4f, 0.0f);
  putEyeAt(0.0f, 0.0f);
  moveAndDrawEnemies(game(), world().level);
  ASSERT_EQ(enemy.posZ, -3.0f);
  const std::vector<std::uint8_t> pixels = gl.readPixels();
  // The figure is 0.8 high and at most about 0.6 wide: at 3 units under the
  // 47-degree projection it spans rows of about +-0.15 of the height around
  // the middle and a narrower band of columns.
  int covered = 0, outside = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const std::uint8_t* p = &pixels[(y * 64 + x) * 4];
      if (p[0] + p[1] + p[2] == 0) continue;
      ++covered;
      const float nx = (x + 0.5f) / 32.0f - 1.0f, ny = (y + 0.5f) / 32.0f - 1.0f;
      if (std::fabs(nx) > 0.3f || std::fabs(ny) > 0.35f) ++outside;
    }
  }
  EXPECT_GT(covered, 60);
  EXPECT_EQ(outside, 0);
  EXPECT_GT(pixels[(32 * 64 + 32) * 4 + 0] + pixels[(32 * 64 + 32) * 4 + 1], 0);  // the middle is the body

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

// The culling box comes from the figure's own reach: a figure whose ring of
// triangles reaches three units out is drawn when only the ring is in view.
TEST_F(Enemies, AFigureWithALargerReachIsDrawnAtTheScreenEdge) {
  openCells(5, {{1, 1}});
  createEnemies(game(), world().level);
  EXPECT_GT(game().enemies[0].reach, 40.0f);  // the soldier's own, measured
  for (int i = 1; i < MAX_ENEMIES; ++i) game().enemies[i].placed = false;
  // The box of a 100-unit figure lies wholly beside the view; the ring
  // reaches into its right edge.
  Enemy& enemy = placeFirstEnemy(4.5f, -3.0f, 4);
  TestModel ring = simpleTestModel();
  std::fill_n(ring.textures[0].image.begin() + 4, 3, 255);  // palette colour 0 white
  TestSubmodel& mesh = ring.bodyParts[0][0];
  mesh.vertices.clear();
  mesh.commands.clear();
  for (int k = 0; k < 16; ++k) {  // flat triangles 300 units out, all round
    const float a = k * 0.3927f, b = a + 0.1f;
    const short first = static_cast<short>(mesh.vertices.size());
    mesh.vertices.push_back({300 * std::cos(a), 300 * std::sin(a), -20});
    mesh.vertices.push_back({300 * std::cos(b), 300 * std::sin(b), -20});
    mesh.vertices.push_back({300 * std::cos(a), 300 * std::sin(a), 40});
    mesh.commands.insert(mesh.commands.end(), {3, first, 0, 0, 0, short(first + 1), 0, 2, 0,
                                               short(first + 2), 0, 0, 2});
  }
  mesh.commands.push_back(0);
  enemy.model.releaseFiles();
  ASSERT_EQ(adoptTestModel(enemy.model, ring, true), "");
  enemy.reach = figureReach(enemy.model);
  EXPECT_NEAR(enemy.reach, std::sqrt(300.0f * 300.0f + 40.0f * 40.0f), 0.01f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  setGameDrawingProjection();
  putEyeAt(0.0f, 0.0f);
  moveAndDrawEnemies(game(), world().level);
  EXPECT_EQ(enemy.model.work.drawCounter, 1);
  const std::vector<std::uint8_t> pixels = gl.readPixels();
  int lit = 0;
  for (std::size_t i = 0; i < pixels.size(); i += 4) lit += pixels[i] + pixels[i + 1] + pixels[i + 2] > 0;
  EXPECT_GT(lit, 0);
}

TEST_F(Enemies, ReleasedFiguresLeaveNoTexturesBehindWhenCreatedAgain) {
  openCells(5, {{2, 2}});
  std::vector<GLuint> earlier;
  for (int round = 0; round < 3; ++round) {
    for (GLuint name : earlier) EXPECT_FALSE(glIsTexture(name)) << "round " << round;
    earlier.clear();
    createEnemies(game(), world().level);
    for (const Enemy& enemy : game().enemies) {
      for (GLuint name : figureTextureNames(enemy.model)) {
        EXPECT_TRUE(glIsTexture(name));
        earlier.push_back(name);
      }
    }
    ASSERT_FALSE(earlier.empty());
    for (Enemy& enemy : game().enemies) enemy.model.releaseTextures();
  }
}

}  // namespace
