// The heads-up display's colour rule read back from a real GL context with
// the game's textures and fonts. The frame-rate text shows in the demo
// pictures, the limiter's and its timing in the demos' clock readings.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/hud.h"
#include "game/scene_fonts.h"
#include "game/scene_state.h"
#include "render/gl_api.h"
#include "render/scene_projection.h"
#include "render/texture_table.h"
#include "tests/support/gl_context.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/recording_os.h"
#include "tests/support/test_records.h"

namespace {

constexpr int width = 640, height = 480;

// Where the texts stand, the weapon, logo and crosshair, and the texts'
// green adding nothing under additive blending (its alpha is 0), are what
// the demo pictures show, and the death demo shows the red kept off under
// blending; the colour rule's boundary is not reached there.
TEST(Hud, HealthTurnsRedBelowFifteen) {
  TestGlContext gl(width, height);
  ScopedRecordingOs os;
  InDataFolder data;
  ASSERT_TRUE(gl.ok());
  ASSERT_EQ(loadTextures(scene().textureTable), 1);
  setGameRenderState();
  buildGameFonts(scene(), width, height);
  setGameDrawingProjection();
  startFreshGame();
  game().screenWidth = width;
  game().screenHeight = height;
  struct Case {
    std::int32_t health;
    bool red;
  } const cases[] = {{14, true}, {15, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.health);
    game().player.health = c.health;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawHudTexts(game(), scene());
    const std::vector<std::uint8_t> pixels = gl.readPixels();
    // The pure red and pure green pixels of the number, whose cell ends 100
    // pixels above the bottom, 130 pixels from the right edge.
    int red = 0, green = 0;
    for (int y = 348; y < 380; ++y)
      for (int x = 510; x < 600; ++x) {
        const std::uint8_t* p = &pixels[((height - 1 - y) * width + x) * 4];
        red += p[0] != 0 && p[1] == 0 && p[2] == 0;
        green += p[0] == 0 && p[1] != 0 && p[2] == 0;
      }
    EXPECT_GT(c.red ? red : green, 40);
    EXPECT_EQ(c.red ? green : red, 0);
  }
}

}  // namespace
