// How the sparks are drawn, which the demo checksum does not see: each
// spark's triangle placed by the eye and turned toward the viewer, seen
// through GL feedback mode, and the OpenGL state the pass leaves behind.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/shot_sparks.h"
#include "render/gl_api.h"
#include "render/texture_table.h"
#include "tests/support/gl_context.h"

namespace {

class ShotSparks : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gl.ok()); }
  void step() { runShotSparks(*store, shotTriggered, impact, player, textures, random); }

  TestGlContext gl{16, 16};
  std::unique_ptr<SparkStore> store = std::make_unique<SparkStore>();
  bool shotTriggered = false;
  TextureTable textures = {};
  ImpactPoint impact;
  GameRandom random;
  PlayerState player;
};

// A spark seen by a viewer with heading 90 (looking toward -x) from the eye
// (3, y, -5): after one step to (2.5, 10.5, -4) it sits 1 unit left of, 0.5
// in front of and 0.5 above the eye, and its triangle is turned 90 degrees
// about z, then 90 about x.
TEST_F(ShotSparks, ASparkIsPlacedByTheEyeAndTurnedTowardTheViewer) {
  player.heading = 90.0f;
  player.cameraX = -3.0f;
  player.cameraZ = 5.0f;
  Particle& spark = store->bursts[3][10];
  spark.life = 1.0;
  spark.fade = 0.5;
  spark.corners[0][0] = spark.corners[1][1] = spark.corners[2][2] = 1.0;
  store->particlesActive = true;
  const double start[3] = {2.0, 10.5, -4.0};
  for (int axis = 0; axis < 3; ++axis) spark.position[axis] = start[axis];
  spark.velocity[0] = 0.5;
  spark.rotation[0] = spark.rotation[2] = 80.0;
  spark.spin[0] = spark.spin[2] = 10.0;
  // An orthographic view of +-4 units over the 16 x 16 pixels: 2 pixels per
  // unit, the eye at pixel (8, 8).
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-4.0, 4.0, -4.0, 4.0, -4.0, 4.0);
  glMatrixMode(GL_MODELVIEW);
  GLfloat buffer[64];
  glFeedbackBuffer(64, GL_2D, buffer);
  glRenderMode(GL_FEEDBACK);
  step();
  ASSERT_EQ(glRenderMode(GL_RENDER), 2 + 3 * 2);  // token, count, 3 x (x y)
  // Viewer's x and y of the corners (1,0,0), (0,1,0), (0,0,1).
  const float expected[3][2] = {{-1.0f, 0.5f}, {-2.0f, 0.5f}, {-1.0f, -0.5f}};
  for (int v = 0; v < 3; ++v) {
    EXPECT_NEAR(buffer[2 + 2 * v], 8.0f + 2.0f * expected[v][0], 1e-4f) << "corner " << v;
    EXPECT_NEAR(buffer[3 + 2 * v], 8.0f + 2.0f * expected[v][1], 1e-4f) << "corner " << v;
  }
}

// No demo fires 45 bursts, so none sees the slots wrap round.
TEST_F(ShotSparks, The46thBurstInARowLandsInTheSlotOfTheFirst) {
  for (int burst = 1; burst <= 46; ++burst) {
    impact.impactX = burst;
    shotTriggered = true;
    step();
    EXPECT_EQ(store->burstSlot, burst % 45) << "burst " << burst;
  }
  EXPECT_EQ(store->bursts[1][0].position[0], 46);
  EXPECT_EQ(store->bursts[0][0].position[0], 45);
}

// The camera matrix the pass gives back is proved by the demos: the
// collision transform is read from it next.
TEST_F(ShotSparks, ThePassLeavesTexture16AndAdditiveBlending) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  textures[textureAfterSparks] = texture;
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_ONE, GL_ZERO);
  shotTriggered = true;
  step();
  GLint source = 0, destination = 0, bound = 0;
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_BLEND_DST, &destination);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(source, GL_SRC_ALPHA);
  EXPECT_EQ(destination, GL_ONE);
  EXPECT_EQ(bound, static_cast<GLint>(texture));
}

}  // namespace
