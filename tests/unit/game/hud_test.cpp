// The heads-up display, weapon, logo and crosshair read back from a real GL
// context with the game's textures and fonts; the frame-rate text and the
// frame limiter on a fake clock.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <vector>

#include "game/game.h"
#include "render/scene_projection.h"
#include "tests/support/test_records.h"
#include "game/hud.h"
#include "game/scene_fonts.h"
#include "game/scene_state.h"
#include "render/gl_api.h"
#include "render/texture_table.h"
#include "game/frame_clock.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/unit/game/hud_fixture.h"

namespace {

// The labels' cells end 100 and 50 pixels above the bottom, 250 pixels from
// the right edge; the numbers start 130 pixels from it.
const Box healthLabel{390, 364, 500, 380};
const Box ammoLabel{390, 414, 500, 430};
const Box healthNumber{510, 348, 600, 380};
const Box ammoNumber{510, 398, 600, 430};
const Box aboveTheDisplay{0, 0, width, 340};
const Box betweenTheNumbers{510, 382, 600, 396};

TEST_F(Hud, TextsAndNumbersStandAtTheirPlacesAndHealthTurnsRedBelowFifteen) {
  struct Case {
    std::int32_t health;
    bool blend;
    bool red;
  } const cases[] = {{14, false, true}, {15, false, false}, {14, true, false}, {500, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "health " << c.health << " blend " << c.blend);
    game().player.health = c.health;
    game().flags.blendMode = c.blend;
    const std::vector<std::uint8_t> pixels = draw(drawHudTexts);
    EXPECT_GT(census(pixels, healthLabel).green, 20);
    EXPECT_GT(census(pixels, ammoLabel).green, 20);
    const Census number = census(pixels, healthNumber);
    EXPECT_GT(c.red ? number.red : number.green, 40);
    EXPECT_EQ(c.red ? number.green : number.red, 0);
    EXPECT_GT(census(pixels, ammoNumber).green, 40);
    EXPECT_EQ(lit(pixels, aboveTheDisplay), 0);
    EXPECT_EQ(lit(pixels, betweenTheNumbers), 0);
  }
}

TEST_F(Hud, TheNumbersShowHealthAndTheShownAmmunition) {
  game().player.shownAmmo = 7;
  const std::vector<std::uint8_t> oneDigit = draw(drawHudTexts);
  game().player.shownAmmo = 777;
  const std::vector<std::uint8_t> threeDigits = draw(drawHudTexts);
  // Each digit cell moves the pen 27 pixels: three digits reach further right.
  const Box secondAndThird{537 + 8, 398, 600, 430};
  EXPECT_EQ(lit(oneDigit, secondAndThird), 0);
  EXPECT_GT(lit(threeDigits, secondAndThird), 40);
}

// The weapon picture low in the middle, the logo to its left, the crosshair
// in the centre, under the game's 47-degree projection.
const Box weapon{270, 380, 370, 480};
const Box logo{20, 360, 100, 450};
const Box crosshair{312, 232, 328, 248};

TEST_F(Hud, TheWeaponPictureFollowsTheChoiceAndHTakesTheCrosshairAway) {
  const std::vector<std::uint8_t> rifle = draw(drawWeaponLogoAndCrosshair);
  game().player.rifleSelected = false;
  game().player.laserSelected = true;
  const std::vector<std::uint8_t> laser = draw(drawWeaponLogoAndCrosshair);
  int differing = 0;
  for (int y = weapon.top; y < weapon.bottom; ++y) {
    for (int x = weapon.left; x < weapon.right; ++x) {
      const int i = ((height - 1 - y) * width + x) * 4;
      differing += rifle[i] != laser[i] || rifle[i + 1] != laser[i + 1] || rifle[i + 2] != laser[i + 2];
    }
  }
  EXPECT_GT(differing, 500);
  EXPECT_GT(lit(rifle, logo), 1000);
  EXPECT_GT(lit(rifle, crosshair), 10);
  game().flags.crosshairVisible = false;
  const std::vector<std::uint8_t> noCrosshair = draw(drawWeaponLogoAndCrosshair);
  EXPECT_EQ(lit(noCrosshair, crosshair), 0);
  EXPECT_GT(lit(noCrosshair, logo), 1000);
  // The logo is drawn without blending: on a white background its black
  // border stays black.
  glClearColor(1, 1, 1, 1);
  const std::vector<std::uint8_t> onWhite = draw(drawWeaponLogoAndCrosshair);
  glClearColor(0, 0, 0, 0);
  EXPECT_LT(lit(onWhite, logo), (logo.right - logo.left) * (logo.bottom - logo.top));
  // The depth test is back on and the matrix places the player box.
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  float matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  EXPECT_EQ(matrix[14], -0.25f);
}

TEST(FrameRate, TextIsTheTruncatedRateAndFps) {
  EXPECT_EQ(frameRateText(66.7), "66 FPS");
  EXPECT_EQ(frameRateText(7.0), "7 FPS");
  EXPECT_EQ(frameRateText(0.0), "0 FPS");
}

// The loop's pacing: the limiter sleeps frames 15 ms apart, every frame
// takes at least 10 ms; with the frame-rate text on nothing sleeps and the
// text measures every tenth frame.
TEST(FrameRate, PacingKeepsFramesApartAndTheTextOnlyMeasures) {
  ScopedRecordingOs os;
  os->countsPerSecond = 1000000;
  os->counterStepPerRead = 100;  // a spinning wait sees 0.1 ms per reading
  startFreshGame();
  Game& state = game();
  initFrameClock(state.clock);
  std::vector<double> ends;
  for (int frame = 0; frame < 20; ++frame) {
    const float start = static_cast<float>(frameClockMilliseconds(state.clock));
    os->counter += frame % 3 == 0 ? 40000 : 2000;  // some frames slow, most fast
    paceFrame(state.pacing, state.clock, true, start);
    ends.push_back(frameClockMilliseconds(state.clock));
    EXPECT_GE(ends.back() - start, 10.0);
  }
  for (std::size_t i = 1; i < ends.size(); ++i) EXPECT_GE(ends[i] - ends[i - 1], 15.0) << i;
  EXPECT_GT(os->sleptMilliseconds, 0u);

  const unsigned slept = os->sleptMilliseconds;
  state.flags.showFps = true;
  state.frameRate.fpsLastTime = frameClockMilliseconds(state.clock) * 0.001;
  for (int frame = 0; frame < 10; ++frame) {
    os->counter += 50000;
    showFrameRateText(state, scene());
    paceFrame(state.pacing, state.clock, false, static_cast<float>(frameClockMilliseconds(state.clock)));
  }
  EXPECT_EQ(os->sleptMilliseconds, slept);
  EXPECT_NEAR(state.frameRate.fpsValue, 10.0 / 0.6, 0.5);  // 50 ms and a 10 ms wait per frame
}

}  // namespace
