// The culled world pass against the whole one: the same pixels (colour and
// depth) and the same state left behind, in small hand-made worlds that aim
// at the material rule. What culling leaves out of the shipped level shows
// in the demo pictures; the frustum's margins are proved on their own.
#include <gtest/gtest.h>

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
#include "world/world_block_index.h"
#include "world/world_geometry.h"

namespace {

class CulledWorldPass : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    ASSERT_EQ(loadTextures(scene().textureTable), 1);
  }
  // From the game's state with every switch of the keys off: the colour and
  // depth of every pixel, then the material, texture coordinate, normal and
  // texture the pass leaves for the rest of the frame.
  std::vector<float> draw(bool culled) {
    setGameRenderState();
    // A material no world kind has, so a pass that skips restoring one shows.
    const float before[4] = {0.2f, 0.9f, 0.4f, 1.0f};
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, before);
    setGameDrawingProjection();
    PlayerState player;
    player.offsetZ = 1.0f;  // the eye at world (1, 0), looking toward -z
    placeCamera(player, 1, 1);
    game().worldPass.cullingEnabled = culled;
    drawWorldTriangles(game().worldPass, world(), scene().textureTable);
    const int pixels = gl.width() * gl.height();
    std::vector<float> result(pixels * 5 + 12);
    glReadPixels(0, 0, gl.width(), gl.height(), GL_RGBA, GL_FLOAT, result.data());
    glReadPixels(0, 0, gl.width(), gl.height(), GL_DEPTH_COMPONENT, GL_FLOAT, result.data() + pixels * 4);
    float* state = result.data() + pixels * 5;
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, state);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, state + 4);
    glGetFloatv(GL_CURRENT_NORMAL, state + 8);
    glGetFloatv(GL_TEXTURE_BINDING_2D, state + 11);
    return result;
  }

  InDataFolder dataFolder;
  ScopedRecordingOs os;
  TestGlContext gl{160, 120};
};

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
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    world().worldTriangles = squaresOfKinds(c.kinds, c.firstX);
    world().blockIndex = buildWorldBlockIndex(world().worldTriangles.data(), world().worldTriangleCount());
    const std::vector<float> culled = draw(true);
    const std::int32_t culledDrawn = game().worldPass.trianglesDrawn;
    EXPECT_TRUE(culled == draw(false));
    EXPECT_LT(culledDrawn, game().worldPass.trianglesDrawn);  // some were culled
  }
}

}  // namespace
