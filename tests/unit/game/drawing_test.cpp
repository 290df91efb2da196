#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <set>

#include "game/camera.h"
#include "game/scene_state.h"
#include "game/world_pass.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/unit/game/game_fixtures.h"
#include "world/level.h"

namespace {

bool allZero(const std::vector<std::uint8_t>& pixels) {
  return std::all_of(pixels.begin(), pixels.end(), [](std::uint8_t b) { return b == 0; });
}

TEST(Camera, ClearsThenPitchesTurnsAndMovesTheEye) {
  TestGlContext gl(16, 16);
  ASSERT_TRUE(gl.ok());
  glRectf(-1.0f, -1.0f, 1.0f, 1.0f);  // a picture and a matrix the camera must replace
  glScalef(7.0f, 7.0f, 7.0f);
  PlayerState player;
  player.pitch = 30.0f;
  player.heading = 90.0f;
  player.offsetX = 0.5f;
  player.offsetZ = -0.25f;
  player.bobOffset = 0.02f;
  placeCamera(player, 3, 2);
  EXPECT_TRUE(allZero(gl.readPixels()));
  // The eye stands at (2*3 - 1 + 0.5, 0.8 + 0.02, 1 - 2*2 - 0.25); looking
  // toward -x, pitched down 30 degrees. Column-major, as OpenGL keeps it.
  EXPECT_FLOAT_EQ(player.cameraX, -5.5f);
  EXPECT_FLOAT_EQ(player.cameraY, -0.82f);
  EXPECT_FLOAT_EQ(player.cameraZ, 3.25f);
  const float expected[16] = {0, -0.5f, 0.8660254f, 0,  0, 0.8660254f, 0.5f, 0,
                              -1, 0, 0, 0,  -3.25f, 2.0398590f, -5.1731397f, 1};
  float actual[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, actual);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5f) << "element " << i;
}

// Puts the test's own triangles in place of the built world.
struct ScopedWorld {
  std::vector<WorldTriangle> triangles;
  WorldTriangle* savedArray = worldTriangles;
  std::int32_t savedCount = worldTriangleCount;
  explicit ScopedWorld(std::vector<WorldTriangle> own) : triangles(std::move(own)) {
    worldTriangles = triangles.empty() ? nullptr : triangles.data();
    worldTriangleCount = static_cast<std::int32_t>(triangles.size());
  }
  ~ScopedWorld() { worldTriangles = savedArray, worldTriangleCount = savedCount; }
};

// One triangle over the left (or right) half of the screen's middle row.
WorldTriangle halfScreen(float edge, std::int32_t kind, std::int32_t texture) {
  return {texture, kind, 4, {{edge, -3, 0, 0, 0}, {edge, 3, 0, 0, 1}, {0, 0, 0, 1, 0}}};
}

TEST(WorldPass, SurfacesAreGreyBoxesWhiteAndBadTexturesUntextured) {
  TestGlContext gl(64, 64);
  ASSERT_TRUE(gl.ok());
  setGameRenderState();
  glDisable(GL_FOG);  // unfogged, the picture shows the material alone
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  {
    ScopedWorld empty({});
    drawWorldTriangles();
    EXPECT_TRUE(allZero(gl.readPixels()));
  }
  // The box's texture index lies outside the table.
  ScopedWorld world({halfScreen(-3, kindSurface, 0), halfScreen(3, kindBox, 5000)});
  drawWorldTriangles();
  const std::vector<std::uint8_t> pixels = gl.readPixels();
  const auto red = [&](int x) { return pixels[(32 * gl.width() + x) * 4]; };
  EXPECT_NEAR(red(2), 191, 2);
  EXPECT_EQ(red(61), 255);
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
}

// The game as it runs in its own folder, with level 1 and a 45 degree view.
class GameScene : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    ASSERT_EQ(chdir(BRAKMOOR_DATA_DIR), 0);
    resetGameGlobals();
    screenWidth = gl.width();
    screenHeight = gl.height();
    ASSERT_TRUE(loadLevel("data/LEVEL/level1.dat"));
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45.0, 160.0 / 120.0, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
  }
  void TearDown() override { (void)chdir(BRAKMOOR_SOURCE_DIR); }

  TestGlContext gl{160, 120};
  ScopedRecordingOs os;
  BuiltWorld world;
};

TEST_F(GameScene, SetupThenFramesShowAFoggedTexturedMazeThatTurns) {
  ASSERT_EQ(world.setupScene(), 1);
  EXPECT_TRUE(glIsEnabled(GL_FOG) && glIsEnabled(GL_LIGHTING) && glIsEnabled(GL_DEPTH_TEST) &&
              glIsEnabled(GL_TEXTURE_2D));
  GLfloat fogStart = 0, fogEnd = 0;
  glGetFloatv(GL_FOG_START, &fogStart);
  glGetFloatv(GL_FOG_END, &fogEnd);
  EXPECT_EQ(fogStart, 8.0f);
  EXPECT_EQ(fogEnd, 15.0f);
  std::vector<std::uint8_t> earlier;
  for (float heading : {0.0f, 90.0f, 180.0f}) {
    SCOPED_TRACE(heading);
    playerState.heading = heading;
    world.frame();
    EXPECT_FALSE(playerCollision.collided);  // the start cell is free
    const std::vector<std::uint8_t> pixels = gl.readPixels();
    std::set<std::uint32_t> colours;
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
      colours.insert(pixels[i] << 16 | pixels[i + 1] << 8 | pixels[i + 2]);
    }
    EXPECT_GT(colours.size(), 50u);  // textures and fog, not a flat picture
    EXPECT_NE(pixels, earlier);
    earlier = pixels;
  }
  EXPECT_TRUE(os->messageBoxes.empty());
}

TEST_F(GameScene, MissingTexturesFailBeforeAnyStateIsSet) {
  ASSERT_EQ(chdir("/"), 0);
  const std::int32_t countBefore = worldTriangleCount;
  EXPECT_EQ(world.setupScene(), 0);
  EXPECT_FALSE(glIsEnabled(GL_FOG) || glIsEnabled(GL_LIGHTING));
  EXPECT_EQ(worldTriangleCount, countBefore);
}

// The box, in pixels from the top-left corner, holding every pixel that a
// change of state altered in the next frame.
struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Box changedBy(BuiltWorld& world, TestGlContext& gl, bool& state) {
  world.frame();
  const std::vector<std::uint8_t> before = gl.readPixels();
  state = !state;
  world.frame();
  const std::vector<std::uint8_t> after = gl.readPixels();
  Box box;
  for (int i = 0; i < gl.width() * gl.height(); ++i) {
    if (std::equal(&before[i * 4], &before[i * 4 + 3], &after[i * 4])) continue;
    const int x = i % gl.width(), top = gl.height() - 1 - i / gl.width();
    box = {std::min(box.left, x), std::min(box.top, top), std::max(box.right, x),
           std::max(box.bottom, top)};
  }
  return box;
}

TEST_F(GameScene, CollisionOffIsNotedTopLeftAndTheDebugBoxOutlinedInTheMiddle) {
  ASSERT_EQ(world.setupScene(), 1);
  // One line of 16-pixel glyphs whose baseline is 60 pixels down, from x 20.
  const Box text = changedBy(world, gl, gameFlags.collisionEnabled);
  ASSERT_GE(text.right, 0);
  EXPECT_GE(text.left, 20);
  EXPECT_GE(text.top, 60 - 16);
  EXPECT_LE(text.bottom, 60);
  gameFlags.collisionEnabled = true;
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);  // drawing the outline ends line mode
  const Box outline = changedBy(world, gl, gameFlags.showCollisionDebug);
  ASSERT_GE(outline.right, 0);
  EXPECT_NEAR(outline.left + outline.right, gl.width() - 1, 2);
  EXPECT_LT(outline.top, gl.height() / 2);
  EXPECT_GT(outline.bottom, gl.height() / 2);
  GLint polygonMode[2] = {};
  glGetIntegerv(GL_POLYGON_MODE, polygonMode);
  EXPECT_EQ(polygonMode[0], GL_FILL);
}

}  // namespace
