// The frame where the demos cannot look: a damaged world, the collision
// debug overlay's effect on OpenGL, walls met at angles and sides the demos
// never walk into, and the diagnostic ray, which only counts.
#include <gtest/gtest.h>

#include <string>

#include "game/camera.h"
#include "tests/support/test_records.h"
#include "game/key_codes.h"
#include "game/scene.h"
#include "game/world_pass.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/support/test_levels.h"
#include "tests/unit/game/game_fixtures.h"
#include "world/collision_models.h"
#include "world/world_geometry.h"

namespace {

// The clearing is proved by the drawing tests, the eye's place by the demos;
// the pitch reaches neither the checksum nor the collision the demos meet.
TEST(Camera, PitchesTurnsAndMovesTheEye) {
  TestGlContext gl(16, 16);
  ASSERT_TRUE(gl.ok());
  glScalef(7.0f, 7.0f, 7.0f);  // a matrix the camera must replace
  PlayerState player{0.5f, -0.25f, 90.0f, 30.0f, 0.0f, 0.02f};  // offsets, heading, pitch, bob
  placeCamera(player, 3, 2);
  // The eye at (2*3 - 1 + 0.5, 0.8 + 0.02, 1 - 2*2 - 0.25) looks toward -x,
  // pitched down 30 degrees. Column-major, as OpenGL keeps it.
  const float expected[16] = {0, -0.5f, 0.8660254f, 0,  0, 0.8660254f, 0.5f, 0,
                              -1, 0, 0, 0,  -3.25f, 2.0398590f, -5.1731397f, 1};
  float actual[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, actual);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "element " << i;
}

TEST(WorldPass, ATextureIndexOutsideTheTableDrawsUntextured) {
  TestGlContext gl(8, 8);
  ASSERT_TRUE(gl.ok());
  glEnable(GL_TEXTURE_2D);
  WorldTriangle damaged{5000, kindBox, 4, {{-3, -3, 0, 0, 0}, {3, -3, 0, 1, 0}, {0, 3, 0, 0, 1}}};
  const std::unique_ptr<World> damagedWorld = createWorld();
  damagedWorld->worldTriangles = {damaged};
  drawWorldTriangles(game().worldPass, *damagedWorld, scene().textureTable);
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
  EXPECT_EQ(gl.readPixels()[(4 * 8 + 4) * 4], 255);
}

// The corridor from its start cell toward negative z, five cells long: its
// side walls lie at offsetX -1 and +1, its end wall at offsetZ -9.

std::string touchingSides() {
  const CollisionFlags& f = game().collision.flags;
  return std::string(f.front ? "F" : "") + (f.back ? "B" : "") + (f.left ? "L" : "") +
         (f.right ? "R" : "");
}

// Runs the game's frame on the game's own collision models.
class WalkingTheMaze : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    startFreshGame();
    corridorAlongColumnTwo(5);
    buildWorld(world());
  }
  static void frame() { runFrame(game(), world(), scene()); }
  // `count` frames, each followed by the input step with `keys`.
  static void passes(const KeyState& keys, int count = 1) {
    for (int i = 0; i < count; ++i) {
      frame();
      applyKeyTable(game(), world().level, keys.data(), movementContextOfLastFrame(game(), world()));
    }
  }

  TestGlContext gl;
  ScopedRecordingOs os;
  const KeyState up = keysDown({scanCode::up});
};

// The demos never slide along a wall of this side.
TEST_F(WalkingTheMaze, WalkingAtAnAngleSlidesAlongTheSideWall) {
  // At heading 30 the box's left flat reaches the left wall before the front
  // spike does; from then on only the z part of each step is taken.
  game().player.heading = 30.0f;
  passes(up, 40);
  const float slideX = game().player.offsetX, zBefore = game().player.offsetZ;
  EXPECT_EQ(touchingSides(), "L");
  passes(up, 20);
  EXPECT_EQ(game().player.offsetX, slideX);
  EXPECT_NEAR(game().player.offsetZ - zBefore, -20 * 0.1f * 0.8660254f, 1e-3f);
}

// No demo walks into a wall with collision off.
TEST_F(WalkingTheMaze, CollisionSwitchedOffWalksThroughTheWallWhileFlagsGoOn) {
  game().flags.collisionEnabled = false;
  game().flags.showCollisionDebug = true;  // its box outline also ends a line mode chosen with W
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  passes(up, 85);
  EXPECT_EQ(touchingSides(), "F");
  passes(up, 35);
  EXPECT_LT(game().player.offsetZ, -10.0f);
  GLint polygonMode[2] = {};
  glGetIntegerv(GL_POLYGON_MODE, polygonMode);
  EXPECT_EQ(polygonMode[0], GL_FILL);
}

TEST_F(WalkingTheMaze, TheDiagnosticRayOnlyCountsItsHits) {
  // The ray runs toward +z from enemy 0 to the player box at the origin.
  glLoadIdentity();
  game().collision.diagnosticRayHits = 0;
  for (float z : {-3.0f, -3.0f, 3.0f}) {
    game().enemies[0].posZ = z;
    testPlayerCollision(game().collision, world().models, game().enemies[0].posX, game().enemies[0].posZ);
  }
  EXPECT_EQ(game().collision.diagnosticRayHits, 2);
  EXPECT_TRUE(os->messageBoxes.empty());
}

}  // namespace
