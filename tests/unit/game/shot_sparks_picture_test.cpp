#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "game/camera.h"
#include "render/scene_projection.h"
#include "game/scene_state.h"
#include "game/shot_sparks.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"

namespace {

// The sparks bind no texture of their own; the one bound after them is 0 here.
const TextureTable noTextures = {};

constexpr int width = 126;
constexpr int height = 100;
// The shipped level's start cell, far from the world's origin.
constexpr std::int32_t startX = 8;
constexpr std::int32_t startY = 34;

// A player looking along heading 30 at a dark wall 5 units ahead, with a
// rifle miss that struck 4 units ahead, as the weapons place it.
class SparkPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    seedRandom(random, 1);
    setGameDrawingProjection();
    setGameRenderState();
    player.offsetX = 0.3f;
    player.offsetZ = -0.6f;
    player.heading = 30.0f;
    placeCamera(player, startX, startY);
    const double angle = (player.heading * 0.0027777778 + player.heading * 0.0027777778) * 3.141592;
    impact.impactX = 4 * -std::sin(angle) - player.cameraX;
    impact.impactZ = 4 * -std::cos(angle) - player.cameraZ;
  }
  // The wall faces the eye 5 units ahead; the sparks in front of it are lit
  // by a white material.
  std::vector<std::uint8_t> frame() {
    placeCamera(player, startX, startY);
    const float dark[4] = {0.1f, 0.1f, 0.3f, 1.0f}, white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glDisable(GL_TEXTURE_2D);
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, dark);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -5.0f);
    glRectf(-10.0f, -10.0f, 10.0f, 10.0f);
    glPopMatrix();
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, white);
    runShotSparks(*store, shotTriggered, impact, player, noTextures, random);
    return gl.readPixels();
  }

  TestGlContext gl{width, height};
  std::unique_ptr<SparkStore> store = std::make_unique<SparkStore>();
  bool shotTriggered = false;
  ImpactPoint impact;
  GameRandom random;
  PlayerState player;
};

// How many pixels differ between two pictures, and the farthest of them
// from the centre, where the impact point lies: on the line of sight at eye
// height.
struct Change {
  int pixels = 0;
  double farthest = 0.0;
};
Change compare(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  Change change;
  for (std::size_t i = 0; i < a.size(); i += 4) {
    if (a[i] == b[i] && a[i + 1] == b[i + 1] && a[i + 2] == b[i + 2]) continue;
    ++change.pixels;
    const double px = static_cast<double>(i / 4 % width) + 0.5 - width / 2.0;
    const double py = static_cast<double>(i / 4 / width) + 0.5 - height / 2.0;
    change.farthest = std::max(change.farthest, std::sqrt(px * px + py * py));
  }
  return change;
}

TEST_F(SparkPicture, SparksShowAtTheImpactPointAndAreGoneAfter51Frames) {
  const std::vector<std::uint8_t> wallOnly = frame();
  shotTriggered = true;
  const Change first = compare(frame(), wallOnly);
  EXPECT_GT(first.pixels, 100);
  EXPECT_LT(first.farthest, 25.0) << "the burst starts at the impact point";
  int framesWithSparks = 1;
  for (int f = 2; f <= 51; ++f) framesWithSparks += compare(frame(), wallOnly).pixels > 0;
  // They fall out of the picture before their life runs out.
  EXPECT_GE(framesWithSparks, 20);
  for (int f = 52; f <= 55; ++f) EXPECT_EQ(compare(frame(), wallOnly).pixels, 0) << "frame " << f;
  EXPECT_FALSE(store->particlesActive);
}

}  // namespace
