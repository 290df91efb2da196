// The culled world pass against the whole one: the same pixels (colour and
// depth) and the same state left behind, in the shipped level from random
// poses and in small hand-made worlds that aim at the material rule.
#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "game/camera.h"
#include "game/scene_state.h"
#include "game/world_pass.h"
#include "render/gl_api.h"
#include "render/scene_projection.h"
#include "render/texture_table.h"
#include "tests/support/gl_context.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/recording_os.h"
#include "tests/support/test_records.h"
#include "world/level.h"
#include "world/level_loader.h"
#include "world/world_block_index.h"
#include "world/world_geometry.h"

namespace {

struct Pose {
  float eyeX, eyeZ, heading, pitch;
};

// Each mode starts from the game's state with every switch of the keys off.
const std::pair<const char*, void (*)()> drawingModes[] = {
    {"normal", [] {}},
    {"additive, first frame after B (no depth test)", [] { glEnable(GL_BLEND), glDisable(GL_DEPTH_TEST); }},
    {"outlines", [] { glPolygonMode(GL_FRONT_AND_BACK, GL_LINE); }},
    {"texture mode decal", [] { glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL); }},
    {"no fog", [] { glDisable(GL_FOG); }},
};

// The colour and depth of every pixel, then the material, texture
// coordinate, normal and texture the pass leaves for the rest of the frame.
struct PassResult {
  std::vector<std::uint8_t> colour;
  std::vector<float> depthAndState;
  std::int32_t trianglesDrawn;
};

class CulledWorldPass : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    ASSERT_EQ(loadTextures(scene().textureTable), 1);
  }
  void TearDown() override {
    glDeleteTextures(textureCount, scene().textureTable);
  }
  PassResult draw(const Pose& pose, void (*mode)(), bool culled) {
    setGameRenderState();
    glDisable(GL_BLEND);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // A material no world kind has, so a pass that skips restoring one shows.
    const float before[4] = {0.2f, 0.9f, 0.4f, 1.0f};
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, before);
    mode();
    setGameDrawingProjection();
    PlayerState player;
    player.offsetX = pose.eyeX - (2.0f * world().level.startX - 1.0f);
    player.offsetZ = pose.eyeZ - (1.0f - 2.0f * world().level.startY);
    player.heading = pose.heading;
    player.pitch = pose.pitch;
    placeCamera(player, world().level.startX, world().level.startY);
    game().worldPass.cullingEnabled = culled;
    drawWorldTriangles(game().worldPass, world(), scene().textureTable);
    PassResult result{gl.readPixels(), std::vector<float>(gl.width() * gl.height() + 12), game().worldPass.trianglesDrawn};
    float* state = result.depthAndState.data() + gl.width() * gl.height();
    glReadPixels(0, 0, gl.width(), gl.height(), GL_DEPTH_COMPONENT, GL_FLOAT, result.depthAndState.data());
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, state);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, state + 4);
    glGetFloatv(GL_CURRENT_NORMAL, state + 8);
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    state[11] = static_cast<float>(texture);
    return result;
  }
  // The share of the triangles the culled passes drew.
  double expectSamePictures(const std::vector<Pose>& poses) {
    double culledCount = 0, wholeCount = 0;
    for (const Pose& pose : poses) {
      for (const auto& [name, mode] : drawingModes) {
        const PassResult culled = draw(pose, mode, true), whole = draw(pose, mode, false);
        culledCount += culled.trianglesDrawn;
        wholeCount += whole.trianglesDrawn;
        EXPECT_TRUE(culled.colour == whole.colour && culled.depthAndState == whole.depthAndState)
            << name << ", eye (" << pose.eyeX << ", " << pose.eyeZ << ") heading " << pose.heading;
      }
    }
    return culledCount / wholeCount;
  }

  InDataFolder dataFolder;
  ScopedRecordingOs os;
  TestGlContext gl{160, 120};
};

// Four poses in five stand anywhere on an open cell, the rest anywhere in a
// ring of 20 units around the level, inside walls or looking across.
TEST_F(CulledWorldPass, TheShippedLevelLooksTheSameCulledFromRandomPoses) {
  ASSERT_TRUE(loadLevel(world().level, "data/LEVEL/level1.dat"));
  buildWorld(world());
  std::mt19937 random(1);
  const auto uniform = [&](float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); };
  const int sizeX = world().level.sizeX, sizeY = world().level.sizeY;
  std::vector<Pose> poses;
  while (poses.size() < 10) {
    Pose pose{uniform(-20.0f, 2.0f * sizeX + 20.0f), uniform(-2.0f * sizeY - 20.0f, 20.0f), uniform(0, 360),
              uniform(-30, 30)};
    if (poses.size() % 5 != 4) {
      const int x = 1 + static_cast<int>(random() % sizeX), y = 1 + static_cast<int>(random() % sizeY);
      if (levelCell(world().level, x, y) == 0) continue;
      pose.eyeX = 2.0f * x - 1.0f + uniform(-0.95f, 0.95f);
      pose.eyeZ = 1.0f - 2.0f * y + uniform(-0.95f, 0.95f);
    }
    poses.push_back(pose);
  }
  EXPECT_LT(expectSamePictures(poses), 0.6) << "culling dropped too little to be tested";
}

// Vertical squares facing +z along the x axis 20 units apart (one block
// each), of the kinds given; the eye at x = 1 sees the first square or two.
std::vector<WorldTriangle> squaresOfKinds(std::initializer_list<std::int32_t> kinds, float firstX) {
  std::vector<WorldTriangle> triangles;
  float x = firstX;
  for (std::int32_t kind : kinds) {
    const TriangleVertex a{x, 0, -5, 0, 0}, b{x + 2, 0, -5, 1, 0}, c{x + 2, 2, -5, 1, 1}, d{x, 2, -5, 0, 1};
    const std::int32_t texture = 10 + static_cast<std::int32_t>(triangles.size()) % 5;
    triangles.push_back(WorldTriangle{texture, kind, 1, {a, b, c}});
    triangles.push_back(WorldTriangle{texture, kind, 1, {a, c, d}});
    x += 20.0f;
  }
  return triangles;
}

TEST_F(CulledWorldPass, ATriangleOfUnknownKindKeepsTheMaterialTheWholePassGivesIt) {
  struct Case {
    const char* name;
    std::initializer_list<std::int32_t> kinds;
    float firstX;
  } cases[] = {
      // The visible square follows a culled box: it must be drawn with the
      // box material, not the material in force before the pass.
      {"box culled before the unknown kind", {kindBox, 7, kindSurface, 9}, -40.0f},
      {"surface culled before the unknown kind", {kindBox, kindSurface, 7, kindBox}, -40.0f},
      // Nothing known before the visible square: it keeps the material in
      // force before the pass.
      {"nothing known before", {7, 8, 9, kindBox}, 0.0f},
      // The last known kind lies in a culled square after the visible ones:
      // the pass must still leave it in force for what the frame draws next.
      {"culled box at the end", {kindSurface, 9, kindBox, 7}, 0.0f},
  };
  world().level.startX = world().level.startY = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    world().worldTriangles = squaresOfKinds(c.kinds, c.firstX);
    world().blockIndex = buildWorldBlockIndex(world().worldTriangles.data(), world().worldTriangleCount());
    EXPECT_LT(expectSamePictures({{1.0f, 0.0f, 0.0f, 0.0f}}), 1.0);
  }
}

}  // namespace
