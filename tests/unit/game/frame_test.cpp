// The frame where the demos cannot look: a damaged world and the
// diagnostic ray, which only counts. The collision overlay's outlines show
// in the demo pictures.
#include <gtest/gtest.h>

#include "tests/support/test_records.h"
#include "game/world_pass.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/support/test_levels.h"
#include "world/collision_models.h"
#include "world/world_geometry.h"

namespace {

TEST(WorldPass, ATextureIndexOutsideTheTableDrawsUntextured) {
  TestGlContext gl(8, 8);
  ASSERT_TRUE(gl.ok());
  glEnable(GL_TEXTURE_2D);
  const std::unique_ptr<World> damaged = createWorld();
  damaged->worldTriangles = {{5000, kindBox, 4, {{-3, -3, 0, 0, 0}, {3, -3, 0, 1, 0}, {0, 3, 0, 0, 1}}}};
  drawWorldTriangles(game().worldPass, *damaged, scene().textureTable);
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
  EXPECT_EQ(gl.readPixels()[(4 * 8 + 4) * 4], 255);
}

// On the game's own collision models, in a corridor five cells long, the
// ray runs toward +z from enemy 0 to the player box at the origin.
TEST(WalkingTheMaze, TheDiagnosticRayOnlyCountsItsHits) {
  TestGlContext gl;
  ScopedRecordingOs os;
  ASSERT_TRUE(gl.ok());
  startFreshGame();
  corridorAlongColumnTwo(5);
  buildWorld(world());
  glLoadIdentity();
  for (float z : {-3.0f, -3.0f, 3.0f}) {
    game().enemies[0].posZ = z;
    testPlayerCollision(game().collision, world().models, game().enemies[0].posX, game().enemies[0].posZ);
  }
  EXPECT_EQ(game().collision.diagnosticRayHits, 2);
  EXPECT_TRUE(os->messageBoxes.empty());
}

}  // namespace
