// What the demos do not reach in the spark pass: the burst slots wrapping
// round, and the texture the pass leaves bound. Where each spark is placed
// and how it is turned, and the blending it leaves, show in the demos'
// pictures.
#include <gtest/gtest.h>

#include <memory>

#include "game/shot_sparks.h"
#include "render/gl_api.h"
#include "render/texture_table.h"
#include "tests/support/gl_context.h"

namespace {

// No demo fires 45 bursts, so none sees the slots wrap round. The camera
// matrix the pass gives back is proved by the demos: the collision
// transform is read from it next.
TEST(ShotSparks, The46thBurstInARowLandsInTheSlotOfTheFirstAndTexture16IsLeftBound) {
  TestGlContext gl(16, 16);
  ASSERT_TRUE(gl.ok());
  const auto store = std::make_unique<SparkStore>();
  TextureTable textures = {};
  GLuint texture = 0;
  glGenTextures(1, &texture);
  textures[textureAfterSparks] = texture;
  ImpactPoint impact;
  GameRandom random;
  for (int burst = 1; burst <= 46; ++burst) {
    impact.impactX = burst;
    bool shotTriggered = true;
    runShotSparks(*store, shotTriggered, impact, PlayerState{}, textures, random);
    EXPECT_EQ(store->burstSlot, burst % 45) << "burst " << burst;
  }
  EXPECT_EQ(store->bursts[1][0].position[0], 46);
  EXPECT_EQ(store->bursts[0][0].position[0], 45);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, static_cast<GLint>(texture));
}

}  // namespace
