#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/player_collision.h"
#include "game/scene.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/unit/game/game_fixtures.h"
#include "world/level.h"
#include "world/world_geometry.h"

namespace {

// Runs the test in `folder`, as the game runs in its own folder.
class ScopedWorkingFolder {
 public:
  explicit ScopedWorkingFolder(const char* folder) {
    char buffer[PATH_MAX];
    saved_ = getcwd(buffer, sizeof buffer) ? buffer : ".";
    ok_ = chdir(folder) == 0;
  }
  ~ScopedWorkingFolder() { (void)chdir(saved_.c_str()); }
  bool ok() const { return ok_; }

 private:
  std::string saved_;
  bool ok_;
};

// The game window's projection: 45 degrees, near 0.1, far 100.
void setGameProjection(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(width) / height, 0.1f, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

class GameScene : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    ASSERT_TRUE(folder.ok());
    resetGameGlobals();
    ASSERT_TRUE(loadLevel("data/LEVEL/level1.dat"));
    screenWidth = gl.width();
    screenHeight = gl.height();
    setGameProjection(gl.width(), gl.height());
  }

  TestGlContext gl{160, 120};
  ScopedRecordingOs os;
  ScopedWorkingFolder folder{BRAKMOOR_DATA_DIR};
};

TEST_F(GameScene, SetupBuildsTheWorldWithFogAndLight) {
  BuiltWorld models;
  const GameModels m = models.models();
  ASSERT_EQ(setupGameScene(m.world, m.playerBox, m.secondPlayerBox), 1);
  EXPECT_GT(worldTriangleCount, 0);
  EXPECT_TRUE(glIsEnabled(GL_FOG));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat start = 0, end = 0, colour[4] = {};
  glGetFloatv(GL_FOG_START, &start);
  glGetFloatv(GL_FOG_END, &end);
  glGetFloatv(GL_FOG_COLOR, colour);
  EXPECT_EQ(start, 8.0f);
  EXPECT_EQ(end, 15.0f);
  EXPECT_FLOAT_EQ(colour[0], 0.5f);
  GLint fogMode = 0;
  glGetIntegerv(GL_FOG_MODE, &fogMode);
  EXPECT_EQ(fogMode, GL_LINEAR);
  EXPECT_TRUE(os->messageBoxes.empty());
}

TEST_F(GameScene, AFrameShowsATexturedMazeThatChangesAsThePlayerTurns) {
  BuiltWorld models;
  const GameModels m = models.models();
  ASSERT_EQ(setupGameScene(m.world, m.playerBox, m.secondPlayerBox), 1);
  const auto colours = [&] {
    std::set<std::uint32_t> distinct;
    const std::vector<std::uint8_t> pixels = gl.readPixels();
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
      distinct.insert(pixels[i] << 16 | pixels[i + 1] << 8 | pixels[i + 2]);
    }
    return std::make_pair(distinct, pixels);
  };
  runFrame(m.world, m.playerBox, m.secondPlayerBox);
  const auto [first, firstPixels] = colours();
  // Textures and fog give many colours, not a cleared or flat picture.
  EXPECT_GT(first.size(), 50u);
  playerState.heading = 90.0f;
  runFrame(m.world, m.playerBox, m.secondPlayerBox);
  const auto [second, secondPixels] = colours();
  EXPECT_GT(second.size(), 50u);
  EXPECT_NE(firstPixels, secondPixels);
}

TEST_F(GameScene, MissingTexturesFailBeforeAnyStateIsSet) {
  ScopedWorkingFolder empty("/");
  BuiltWorld models;
  const GameModels m = models.models();
  const std::int32_t countBefore = worldTriangleCount;
  EXPECT_EQ(setupGameScene(m.world, m.playerBox, m.secondPlayerBox), 0);
  EXPECT_FALSE(glIsEnabled(GL_FOG));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_EQ(worldTriangleCount, countBefore);
}

TEST_F(GameScene, TheStartCellOfLevelOneIsFreeOfContact) {
  BuiltWorld models;
  const GameModels m = models.models();
  ASSERT_EQ(setupGameScene(m.world, m.playerBox, m.secondPlayerBox), 1);
  for (float heading : {0.0f, 90.0f, 180.0f, 270.0f}) {
    playerState.heading = heading;
    runFrame(m.world, m.playerBox, m.secondPlayerBox);
    EXPECT_FALSE(playerCollision.collided) << "heading " << heading;
  }
}

// The smallest rectangle, in pixels from the top-left corner, holding every
// pixel that differs between two pictures of the same size.
struct Box {
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  bool empty() const { return right < 0; }
};

Box differingPixels(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                    int width, int height) {
  Box box;
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < width; ++x) {
      const std::size_t i = (static_cast<std::size_t>(row) * width + x) * 4;
      if (std::equal(&a[i], &a[i + 3], &b[i])) continue;
      const int top = height - 1 - row;  // pixels come bottom row first
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, top);
      box.bottom = std::max(box.bottom, top);
    }
  }
  return box;
}

TEST_F(GameScene, CollisionSwitchedOffIsNotedInTheTopLeftCorner) {
  BuiltWorld models;
  const GameModels m = models.models();
  ASSERT_EQ(setupGameScene(m.world, m.playerBox, m.secondPlayerBox), 1);
  runFrame(m.world, m.playerBox, m.secondPlayerBox);
  const std::vector<std::uint8_t> plain = gl.readPixels();
  gameFlags.collisionEnabled = false;
  runFrame(m.world, m.playerBox, m.secondPlayerBox);
  const Box text = differingPixels(plain, gl.readPixels(), gl.width(), gl.height());
  ASSERT_FALSE(text.empty());
  // One line of 16-pixel glyphs whose baseline is 60 pixels down, from x 20.
  EXPECT_GE(text.left, 20);
  EXPECT_GE(text.top, 60 - 16);
  EXPECT_LE(text.bottom, 60);
}

TEST_F(GameScene, DebugViewDrawsTheBoxOutlineAndEndsLineMode) {
  BuiltWorld models;
  const GameModels m = models.models();
  ASSERT_EQ(setupGameScene(m.world, m.playerBox, m.secondPlayerBox), 1);
  runFrame(m.world, m.playerBox, m.secondPlayerBox);
  ASSERT_FALSE(playerCollision.collided);
  const std::vector<std::uint8_t> plain = gl.readPixels();
  gameFlags.showCollisionDebug = true;
  runFrame(m.world, m.playerBox, m.secondPlayerBox);
  // The outline sits in the middle of the view, as wide to the left as to
  // the right.
  const Box outline = differingPixels(plain, gl.readPixels(), gl.width(), gl.height());
  ASSERT_FALSE(outline.empty());
  EXPECT_NEAR(outline.left + outline.right, gl.width() - 1, 2);
  EXPECT_LT(outline.top, gl.height() / 2);
  EXPECT_GT(outline.bottom, gl.height() / 2);
  // Drawing the outline ends a line mode chosen with W as well.
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  runFrame(m.world, m.playerBox, m.secondPlayerBox);
  GLint polygonMode[2] = {};
  glGetIntegerv(GL_POLYGON_MODE, polygonMode);
  EXPECT_EQ(polygonMode[0], GL_FILL);
}

}  // namespace
