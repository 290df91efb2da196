#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/scene_state.h"
#include "game/world_pass.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "world/world_geometry.h"

namespace {

// Puts a triangle list of the test's own in place of the built world for
// the lifetime of the object.
class ScopedWorld {
 public:
  explicit ScopedWorld(std::vector<WorldTriangle> triangles)
      : triangles_(std::move(triangles)), savedArray_(worldTriangles),
        savedCount_(worldTriangleCount) {
    worldTriangles = triangles_.empty() ? nullptr : triangles_.data();
    worldTriangleCount = static_cast<std::int32_t>(triangles_.size());
  }
  ~ScopedWorld() {
    worldTriangles = savedArray_;
    worldTriangleCount = savedCount_;
  }

 private:
  std::vector<WorldTriangle> triangles_;
  WorldTriangle* savedArray_;
  std::int32_t savedCount_;
};

// Half of the screen in normalised device coordinates, as one triangle that
// covers the left (or right) edge's middle.
WorldTriangle halfScreen(bool left, std::int32_t kind) {
  const float edge = left ? -1.0f : 1.0f;
  WorldTriangle triangle{};
  triangle.texture = 0;
  triangle.kind = kind;
  triangle.side = 4;
  triangle.vertices[0] = {edge * 3.0f, -3.0f, 0.0f, 0.0f, 0.0f};
  triangle.vertices[1] = {edge * 3.0f, 3.0f, 0.0f, 0.0f, 1.0f};
  triangle.vertices[2] = {0.0f, 0.0f, 0.0f, 1.0f, 0.0f};
  return triangle;
}

class WorldPass : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    setGameRenderState();
    // Untextured and unfogged, the picture shows the material alone.
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_FOG);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  // Red channel at the middle of the left and of the right edge.
  std::pair<int, int> edgeReds() {
    const std::vector<std::uint8_t> pixels = gl.readPixels();
    const int row = gl.height() / 2;
    const auto red = [&](int x) { return pixels[(row * gl.width() + x) * 4]; };
    return {red(2), red(gl.width() - 3)};
  }

  TestGlContext gl{64, 64};
};

TEST_F(WorldPass, SurfacesAreGreyAndBoxesWhite) {
  ScopedWorld world({halfScreen(true, kindSurface), halfScreen(false, kindBox)});
  drawWorldTriangles();
  const auto [left, right] = edgeReds();
  EXPECT_NEAR(left, 191, 2);
  EXPECT_EQ(right, 255);
}

TEST_F(WorldPass, AnUnknownKindKeepsTheMaterialBeforeIt) {
  {
    ScopedWorld world({halfScreen(true, kindBox), halfScreen(false, 7)});
    drawWorldTriangles();
    EXPECT_EQ(edgeReds().second, 255);
  }
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  {
    ScopedWorld world({halfScreen(true, kindSurface), halfScreen(false, -1)});
    drawWorldTriangles();
    EXPECT_NEAR(edgeReds().second, 191, 2);
  }
}

TEST_F(WorldPass, AnEmptyWorldLeavesTheClearColour) {
  ScopedWorld world({});
  drawWorldTriangles();
  for (std::uint8_t byte : gl.readPixels()) ASSERT_EQ(byte, 0);
}

TEST_F(WorldPass, ATextureIndexOutsideTheTableDrawsUntextured) {
  WorldTriangle damaged = halfScreen(true, kindBox);
  damaged.texture = 5000;
  ScopedWorld world({damaged});
  glEnable(GL_TEXTURE_2D);
  drawWorldTriangles();
  EXPECT_EQ(edgeReds().first, 255);
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
}

}  // namespace
