#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "game/shot_sparks.h"
#include "tests/support/test_records.h"
#include "render/gl_api.h"
#include "render/texture_table.h"
#include "tests/support/gl_context.h"

namespace {


constexpr double smallestFade = 0.019999999552965164;
constexpr double largestFade = 99 * 0.0002 + smallestFade;

struct FedVertex { float x, y, alpha; };

// Runs frame steps on a 16 x 16 viewport whose orthographic projection maps
// x and y in [-halfSize, halfSize] onto it, and sees each spark triangle
// through GL feedback mode.
class ShotSparks : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    seedRandom(random, 1);  // the same sparks whichever tests run before
    project(100.0);
  }
  void project(double halfSize) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-halfSize, halfSize, -halfSize, halfSize, -halfSize, halfSize);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  // One frame step; the vertices of the triangles it drew, three by three.
  std::vector<FedVertex> frame() {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    runShotSparks(*store, shotTriggered, impact, player, textures, random);
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<FedVertex> vertices;
    for (GLint i = 0; i < used; i += 2 + 7 * 3) {  // token, count, 3 x (x y z r g b a)
      EXPECT_EQ(buffer[i], GL_POLYGON_TOKEN);
      EXPECT_EQ(buffer[i + 1], 3.0f);
      for (const GLfloat* v = &buffer[i + 2]; v < &buffer[i + 2 + 21]; v += 7) {
        EXPECT_EQ(v[3] + v[4] + v[5], 0.0f) << "sparks are black before lighting";
        vertices.push_back({v[0], v[1], v[6]});
      }
    }
    return vertices;
  }
  std::size_t sparksDrawn() { return frame().size() / 3; }
  // One live spark with a plain triangle and no motion of its own.
  Particle& placeSpark(int slot, int index, double fade) {
    Particle& spark = store->bursts[slot][index];
    spark = Particle{};
    spark.life = 1.0;
    spark.fade = fade;
    spark.corners[0][0] = spark.corners[1][1] = spark.corners[2][2] = 1.0;
    store->particlesActive = true;
    return spark;
  }

  TestGlContext gl{16, 16};
  std::unique_ptr<SparkStore> store = std::make_unique<SparkStore>();
  bool shotTriggered = false;
  // The texture names the pass binds after the sparks (entry 16).
  TextureTable textures = {};
  ImpactPoint impact;
  GameRandom random;
  PlayerState player;
};

TEST_F(ShotSparks, NothingIsDrawnBeforeTheFirstShot) {
  for (int i = 0; i < 5; ++i) EXPECT_EQ(sparksDrawn(), 0u) << "frame " << i;
  EXPECT_FALSE(store->particlesActive);
}

// The weapons trigger a burst even with no shots left; the impact point then
// stays where the last miss put it, and every burst starts there.
TEST_F(ShotSparks, EachTriggerSpawnsABurstAtTheUnchangedImpactPoint) {
  impact = ImpactPoint{3.5, 10.0, -7.25};
  for (std::int32_t burst = 1; burst <= 2; ++burst) {
    shotTriggered = true;
    EXPECT_EQ(sparksDrawn(), 37u * burst);
    EXPECT_FALSE(shotTriggered);
    ASSERT_EQ(store->burstSlot, burst);
    for (int k = 0; k < particlesPerBurst; ++k) {
      const Particle& spark = store->bursts[burst][k];
      const double away = std::hypot(spark.position[0] - impact.impactX,
                                     spark.position[1] - impact.impactY, spark.position[2] - impact.impactZ);
      // Drawn sparks have taken one step: speed below 0.2 on two sine or
      // cosine components and one more.
      EXPECT_LE(away, k < firstDrawnParticle ? 0.0 : 0.2 * std::sqrt(2.0)) << "particle " << k;
    }
  }
}

TEST_F(ShotSparks, OnlyParticles8To44AreDrawnUntilTheirLifeRunsOut) {
  const struct { int slot, index; double fade; int frames; } cases[] = {
      {0, 8, smallestFade, 51},  // 50 updates leave about 2e-8: drawn once more
      {44, 44, largestFade, 26},
      {20, 7, smallestFade, 0},
      {20, 0, smallestFade, 0},
  };
  for (const auto& c : cases) {
    store = std::make_unique<SparkStore>();
    placeSpark(c.slot, c.index, c.fade);
    int framesDrawn = 0;
    for (int f = 0; f < 60; ++f) {
      const std::vector<FedVertex> vertices = frame();
      if (vertices.empty()) continue;
      EXPECT_EQ(f, framesDrawn) << "drawn frames follow each other from the first";
      if (f == 0) {
        EXPECT_NEAR(vertices[0].alpha, 1.0 - c.fade, 1e-6) << "life is the alpha";
      }
      ++framesDrawn;
    }
    EXPECT_EQ(framesDrawn, c.frames) << "slot " << c.slot << " particle " << c.index;
    EXPECT_FALSE(store->particlesActive);
  }
}

TEST_F(ShotSparks, The46thBurstInARowLandsInTheSlotOfTheFirst) {
  for (int burst = 1; burst <= 46; ++burst) {
    impact.impactX = burst;
    shotTriggered = true;
    runShotSparks(*store, shotTriggered, impact, player, textures, random);
    EXPECT_EQ(store->burstSlot, burst % 45) << "burst " << burst;
  }
  for (int slot = 0; slot < sparkBurstCount; ++slot) {
    const int lastWriter = slot == 1 ? 46 : slot == 0 ? 45 : slot;
    EXPECT_EQ(store->bursts[slot][0].position[0], lastWriter) << "slot " << slot;
  }
}

// A spark seen by a viewer with heading 90 (looking toward -x) from the eye
// (3, y, -5): after one step to (2.5, 10.5, -4) it sits 1 unit left of, 0.5
// in front of and 0.5 above the eye, and its triangle is turned 90 degrees
// about z, then 90 about x.
TEST_F(ShotSparks, OneStepMovesSpinsAndTurnsASparkTowardTheViewer) {
  project(4.0);  // 2 pixels per unit, the eye at pixel (8, 8)
  player.heading = 90.0f;
  player.cameraX = -3.0f;
  player.cameraZ = 5.0f;
  Particle& spark = placeSpark(3, 10, 0.5);
  const double start[3] = {2.0, 10.5, -4.0};
  for (int axis = 0; axis < 3; ++axis) spark.position[axis] = start[axis];
  spark.velocity[0] = 0.5;
  spark.rotation[0] = spark.rotation[2] = 80.0;
  spark.spin[0] = spark.spin[2] = 10.0;
  const std::vector<FedVertex> vertices = frame();
  const double position[3] = {2.5, 10.5, -4.0};
  const double velocity[3] = {0.5 * 0.99, -0.009999999776482582 * 0.99, 0.0};
  const double rotation[3] = {90.0, 0.0, 90.0};
  const double spin[3] = {9.5, -0.5, 9.5};
  for (int axis = 0; axis < 3; ++axis) {
    EXPECT_DOUBLE_EQ(spark.position[axis], position[axis]) << axis;
    EXPECT_DOUBLE_EQ(spark.velocity[axis], velocity[axis]) << axis;
    EXPECT_DOUBLE_EQ(spark.rotation[axis], rotation[axis]) << axis;
    EXPECT_DOUBLE_EQ(spark.spin[axis], spin[axis]) << axis;
  }
  EXPECT_DOUBLE_EQ(spark.life, 0.5);
  // Viewer's x and y of the corners (1,0,0), (0,1,0), (0,0,1), in pixels.
  const float expected[3][2] = {{-1.0f, 0.5f}, {-2.0f, 0.5f}, {-1.0f, -0.5f}};
  ASSERT_EQ(vertices.size(), 3u);
  for (int v = 0; v < 3; ++v) {
    EXPECT_NEAR(vertices[v].x, 8.0f + 2.0f * expected[v][0], 1e-4f) << "corner " << v;
    EXPECT_NEAR(vertices[v].y, 8.0f + 2.0f * expected[v][1], 1e-4f) << "corner " << v;
  }
}

TEST_F(ShotSparks, ThePassLeavesTheCameraMatrixTexture16AndAdditiveBlending) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  textures[textureAfterSparks] = texture;
  glRotatef(12.0f, 1.0f, 0.0f, 0.0f);  // a camera: pitch, heading, eye
  glRotatef(330.0f, 0.0f, 1.0f, 0.0f);
  glTranslatef(-15.3f, -0.8f, 67.6f);
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_ONE, GL_ZERO);
  float camera[16], after[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, camera);
  shotTriggered = true;
  ASSERT_EQ(sparksDrawn(), 37u);
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], camera[i]) << "element " << i;
  GLint mode = 0, source = 0, destination = 0, bound = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_BLEND_DST, &destination);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(source, GL_SRC_ALPHA);
  EXPECT_EQ(destination, GL_ONE);
  EXPECT_EQ(bound, static_cast<GLint>(texture));
}

// The Windows C runtime's generator, whose first draws after seed 1 are
// well known; one burst takes 19 draws for its first spark and 20 (one
// thrown away) for each later one, so the game's sequence stays aligned.
TEST(SparkSpawn, DrawsComeFromTheWindowsRuntimesGeneratorInTheGameOrder) {
  GameRandom random;
  seedRandom(random, 1);
  for (int expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(nextRandom(random), expected);
  GameRandom spawning, counting;
  seedRandom(spawning, 20261207);
  seedRandom(counting, 20261207);
  static Particle burst[particlesPerBurst];
  spawnSparkBurst(burst, ImpactPoint{1.0, 10.0, -2.0}, spawning);
  for (int draw = 0; draw < 19 + 20 * (particlesPerBurst - 1); ++draw) nextRandom(counting);
  EXPECT_EQ(spawning.state, counting.state);
}

}  // namespace
