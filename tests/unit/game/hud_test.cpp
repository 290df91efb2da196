// The heads-up display's colour rule read back from a real GL context with
// the game's textures and fonts. The frame-rate text shows in the demo
// pictures, the limiter's and its timing in the demos' clock readings.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <vector>

#include "game/hud.h"
#include "game/scene_fonts.h"
#include "game/scene_state.h"
#include "render/gl_api.h"
#include "render/scene_projection.h"
#include "render/texture_table.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/support/test_records.h"

namespace {

constexpr int width = 640;
constexpr int height = 480;

// A pixel box in window coordinates from the top-left corner, and the lit
// pixels in it by colour: pure green, pure red, or anything else.
struct Box {
  int left, top, right, bottom;
};
struct Census {
  int green = 0, red = 0, other = 0;
};
Census count(const std::vector<std::uint8_t>& pixels, Box box) {
  Census result;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x) {
      const std::uint8_t* p = &pixels[((height - 1 - y) * width + x) * 4];
      if (p[0] + p[1] + p[2] == 0) continue;
      ++(p[0] == 0 && p[2] == 0 ? result.green : p[1] == 0 && p[2] == 0 ? result.red : result.other);
    }
  return result;
}

class Hud : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    ASSERT_EQ(getcwd(folder, sizeof folder), folder);
    ASSERT_EQ(chdir(BRAKMOOR_DATA_DIR), 0);
    ASSERT_EQ(loadTextures(scene().textureTable), 1);
    setGameRenderState();
    buildGameFonts(scene(), width, height);
    setGameDrawingProjection();
    startFreshGame();
    game().screenWidth = width;
    game().screenHeight = height;
  }
  void TearDown() override { ASSERT_EQ(chdir(folder), 0); }
  template <typename Step>
  std::vector<std::uint8_t> draw(Step step) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    step(game(), scene());
    return gl.readPixels();
  }

  TestGlContext gl{width, height};
  ScopedRecordingOs os;
  char folder[4096] = {};
};

// The number's cell ends 100 pixels above the bottom, 130 pixels from the
// right edge.
const Box healthNumber{510, 348, 600, 380};

// Where the texts stand, the weapon, logo and crosshair, and the texts'
// green adding nothing under additive blending (its alpha is 0), are what
// the demo pictures show; the colour rule's boundary is not reached there.
TEST_F(Hud, HealthTurnsRedBelowFifteenUnlessBlending) {
  struct Case {
    std::int32_t health;
    bool blend, red;
  } const cases[] = {{14, false, true}, {15, false, false}, {14, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "health " << c.health << " blend " << c.blend);
    game().player.health = c.health;
    game().flags.blendMode = c.blend;
    const Census number = count(draw(drawHudTexts), healthNumber);
    EXPECT_GT(c.red ? number.red : number.green, 40);
    EXPECT_EQ(c.red ? number.green : number.red, 0);
  }
}

}  // namespace
