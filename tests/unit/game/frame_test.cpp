#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/camera.h"
#include "game/key_codes.h"
#include "game/scene.h"
#include "game/scene_state.h"
#include "game/world_pass.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/unit/game/game_fixtures.h"
#include "world/collision_models.h"
#include "world/world_geometry.h"

namespace {

TEST(Camera, ClearsThenPitchesTurnsAndMovesTheEye) {
  TestGlContext gl(16, 16);
  ASSERT_TRUE(gl.ok());
  glRectf(-1.0f, -1.0f, 1.0f, 1.0f);  // a picture and a matrix the camera must replace
  glScalef(7.0f, 7.0f, 7.0f);
  PlayerState player{0.5f, -0.25f, 90.0f, 30.0f, 0.0f, 0.02f};  // offsets, heading, pitch, bob
  placeCamera(player, 3, 2);
  const std::vector<std::uint8_t> pixels = gl.readPixels();
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0), std::ptrdiff_t(pixels.size()));
  // The eye at (2*3 - 1 + 0.5, 0.8 + 0.02, 1 - 2*2 - 0.25) looks toward -x,
  // pitched down 30 degrees. Column-major, as OpenGL keeps it.
  EXPECT_EQ(std::vector<float>({player.cameraX, player.cameraY, player.cameraZ}),
            std::vector<float>({-5.5f, -0.82f, 3.25f}));
  const float expected[16] = {0, -0.5f, 0.8660254f, 0,  0, 0.8660254f, 0.5f, 0,
                              -1, 0, 0, 0,  -3.25f, 2.0398590f, -5.1731397f, 1};
  float actual[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, actual);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "element " << i;
}

TEST(WorldPass, SurfacesAreGreyBoxesWhiteAndBadTexturesUntextured) {
  TestGlContext gl(64, 64);
  ASSERT_TRUE(gl.ok());
  setGameRenderState();
  glDisable(GL_FOG);  // unfogged, the picture shows the material alone
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  WorldTriangle* const builtArray = worldTriangles;
  const std::int32_t builtCount = worldTriangleCount;
  // A surface over the left half, a box with a texture index outside the
  // table over the right half.
  WorldTriangle halves[] = {{0, kindSurface, 4, {{-3, -3, 0, 0, 0}, {-3, 3, 0, 0, 1}, {}}},
                            {5000, kindBox, 4, {{3, -3, 0, 0, 0}, {3, 3, 0, 0, 1}, {}}}};
  worldTriangles = halves;
  worldTriangleCount = 2;
  drawWorldTriangles();
  worldTriangles = builtArray;
  worldTriangleCount = builtCount;
  const std::vector<std::uint8_t> pixels = gl.readPixels();
  EXPECT_NEAR(pixels[(32 * 64 + 2) * 4], 191, 2);
  EXPECT_EQ(pixels[(32 * 64 + 61) * 4], 255);
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
}

// A corridor five cells long from the start cell (1, 1) toward negative z:
// its side walls lie at offsetX -1 and +1, its end wall at offsetZ -9. The
// player box reaches 0.75 ahead of the eye.
constexpr float stopBeforeEndWall = -9.0f + 0.75f;

void setCorridor() {
  std::memset(&levelData, 0, sizeof levelData);
  levelData.sizeX = levelData.startX = levelData.startY = 1;
  levelData.sizeY = 5;
  for (std::int32_t row = 1; row <= 5; ++row) levelData.levelGrid[levelGridSide + row] = 1;
}

std::string touchingSides(const CollisionFlags& f = playerCollision.flags) {
  return std::string(f.front ? "F" : "") + (f.back ? "B" : "") + (f.left ? "L" : "") +
         (f.right ? "R" : "");
}

// Runs the game's frame on the game's own collision models.
class WalkingTheMaze : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    resetGameGlobals();
    setCorridor();
    buildWorld(worldCollisionModel, playerBoxModel, secondPlayerBoxModel);
  }
  static void frame() { runFrame(worldCollisionModel, playerBoxModel, secondPlayerBoxModel); }
  // `count` frames, each followed by the input step with `keys`.
  static void passes(const KeyState& keys, int count = 1) {
    for (int i = 0; i < count; ++i) {
      frame();
      applyKeyTable(keys.data(), movementContextOfLastFrame());
    }
  }

  TestGlContext gl;
  ScopedRecordingOs os;
  const KeyState up = keysDown({scanCode::up});
};

TEST_F(WalkingTheMaze, WalkingIntoTheEndWallStopsThereAndTheFlagsAccumulateUntilClear) {
  passes(up, 150);
  const float stopZ = playerState.offsetZ;
  // The contact is seen less than one step after the box first touches.
  EXPECT_GT(stopZ, stopBeforeEndWall - 0.1f);
  EXPECT_LT(stopZ, stopBeforeEndWall + 0.11f);
  EXPECT_EQ(touchingSides(), "F");
  passes(up, 20);
  EXPECT_EQ(playerState.offsetZ, stopZ);
  EXPECT_NEAR(playerState.offsetX, 0.0f, 1e-5f);
  // Facing -x a little closer, the end wall touches the right flat only;
  // FRONT stays set from the frames before.
  playerState.heading = 90.0f;
  playerState.offsetZ = -8.6f;
  frame();
  EXPECT_EQ(touchingSides(), "FR");
  playerState.offsetZ = -4.0f;
  frame();
  EXPECT_FALSE(playerCollision.collided);
  EXPECT_EQ(touchingSides(), "");
}

TEST_F(WalkingTheMaze, WalkingAtAnAngleSlidesAlongTheSideWall) {
  // At heading 30 the box's left flat reaches the left wall before the front
  // spike does; from then on only the z part of each step is taken.
  playerState.heading = 30.0f;
  passes(up, 40);
  const float slideX = playerState.offsetX, zBefore = playerState.offsetZ;
  EXPECT_EQ(touchingSides(), "L");
  EXPECT_GT(slideX, -0.7f);
  passes(up, 20);
  EXPECT_EQ(playerState.offsetX, slideX);
  EXPECT_NEAR(playerState.offsetZ - zBefore, -20 * 0.1f * 0.8660254f, 1e-3f);
}

TEST_F(WalkingTheMaze, CollisionSwitchedOffWalksThroughTheWallWhileFlagsGoOn) {
  passes(keysDown({}));  // C starts held: release it first
  passes(keysDown({scanCode::c}));
  ASSERT_FALSE(gameFlags.collisionEnabled);
  passes(up, 85);
  EXPECT_EQ(touchingSides(), "F");
  passes(up, 35);
  EXPECT_LT(playerState.offsetZ, -10.0f);
}

TEST_F(WalkingTheMaze, TheDebugOutlineEndsLineModeAndTheDiagnosticRayOnlyCounts) {
  gameFlags.showCollisionDebug = true;
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  frame();
  GLint polygonMode[2] = {};
  glGetIntegerv(GL_POLYGON_MODE, polygonMode);
  EXPECT_EQ(polygonMode[0], GL_FILL);
  // The ray runs toward +z from enemy 0 to the player box at the origin.
  glLoadIdentity();
  playerCollision.diagnosticRayHits = 0;
  for (float z : {-3.0f, -3.0f, 3.0f}) {
    enemyTable.posZ[0] = z;
    testPlayerCollision(worldCollisionModel, playerBoxModel, secondPlayerBoxModel);
  }
  EXPECT_EQ(playerCollision.diagnosticRayHits, 2);
  EXPECT_TRUE(os->messageBoxes.empty());
  CollisionFlags back;
  markContactSide(back, 7);  // a triangle of the box's back spike
  EXPECT_EQ(touchingSides(back), "B");
}

TEST_F(WalkingTheMaze, MissingTexturesFailTheSetupBeforeAnyStateIsSet) {
  char* const folder = getcwd(nullptr, 0);
  ASSERT_EQ(chdir("/"), 0);
  const std::int32_t countBefore = worldTriangleCount;
  EXPECT_EQ(setupGameScene(worldCollisionModel, playerBoxModel, secondPlayerBoxModel), 0);
  EXPECT_EQ(chdir(folder), 0);
  std::free(folder);
  EXPECT_FALSE(glIsEnabled(GL_FOG) || glIsEnabled(GL_LIGHTING));
  EXPECT_EQ(worldTriangleCount, countBefore);
}

}  // namespace
