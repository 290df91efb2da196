// The heads-up display, weapon, logo and crosshair read back from a real GL
// context with the game's textures and fonts; the frame-rate text and the
// frame limiter on a fake clock.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "game/frame_clock.h"
#include "game/hud.h"
#include "game/scene_fonts.h"
#include "game/scene_state.h"
#include "render/gl_api.h"
#include "render/scene_projection.h"
#include "render/texture_table.h"
#include "tests/support/gl_context.h"
#include "tests/support/picture_census.h"
#include "tests/support/recording_os.h"
#include "tests/support/test_records.h"

namespace {

constexpr int width = 640;
constexpr int height = 480;

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
  Census count(const std::vector<std::uint8_t>& pixels, Box box) { return census(pixels, width, box); }

  TestGlContext gl{width, height};
  ScopedRecordingOs os;
  char folder[4096] = {};
};

// The labels' cells end 100 and 50 pixels above the bottom, 250 pixels from
// the right edge; the numbers start 130 pixels from it.
const Box healthLabel{390, 364, 500, 380}, ammoLabel{390, 414, 500, 430};
const Box healthNumber{510, 348, 600, 380}, ammoNumber{510, 398, 600, 430};
const Box aboveTheDisplay{0, 0, width, 340}, betweenTheNumbers{510, 382, 600, 396};

TEST_F(Hud, TextsAndNumbersStandAtTheirPlacesAndHealthTurnsRedBelowFifteen) {
  struct Case {
    std::int32_t health;
    bool blend, red;
  } const cases[] = {{14, false, true}, {15, false, false}, {14, true, false}, {500, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "health " << c.health << " blend " << c.blend);
    game().player.health = c.health;
    game().flags.blendMode = c.blend;
    const std::vector<std::uint8_t> pixels = draw(drawHudTexts);
    EXPECT_GT(count(pixels, healthLabel).green, 20);
    EXPECT_GT(count(pixels, ammoLabel).green, 20);
    const Census number = count(pixels, healthNumber);
    EXPECT_GT(c.red ? number.red : number.green, 40);
    EXPECT_EQ(c.red ? number.green : number.red, 0);
    EXPECT_GT(count(pixels, ammoNumber).green, 40);
    EXPECT_EQ(count(pixels, aboveTheDisplay).lit(), 0);
    EXPECT_EQ(count(pixels, betweenTheNumbers).lit(), 0);
  }
  // Each digit cell moves the pen 27 pixels: three digits reach further right.
  const Box secondAndThird{545, 398, 600, 430};
  game().player.shownAmmo = 7;
  EXPECT_EQ(count(draw(drawHudTexts), secondAndThird).lit(), 0);
  game().player.shownAmmo = 777;
  EXPECT_GT(count(draw(drawHudTexts), secondAndThird).lit(), 40);
}

// With B the whole frame is drawn with additive blending (the source's
// alpha, onto what is there): the texts' green has alpha 0, so over a grey
// wall they add nothing, where without blending they replace it.
TEST_F(Hud, UnderAdditiveBlendingTheTextsAddTheirAlphaWeightedColourOntoThePicture) {
  glClearColor(0.25f, 0.25f, 0.25f, 1.0f);
  game().flags.blendMode = true;
  const std::vector<std::uint8_t> plain = draw(drawHudTexts);
  glEnable(GL_BLEND);
  const std::vector<std::uint8_t> blended = draw(drawHudTexts);
  glClearColor(0, 0, 0, 0);
  EXPECT_GT(count(plain, healthLabel).green, 20);
  EXPECT_EQ(count(blended, healthLabel).other, (healthLabel.right - healthLabel.left) * (healthLabel.bottom - healthLabel.top));
  EXPECT_EQ(differingPixels(blended, std::vector<std::uint8_t>(blended.size(), 64), width, {0, 0, width, height}), 0);
}

// The weapon picture low in the middle, the logo to its left, the crosshair
// in the centre, under the game's 47-degree projection.
const Box weapon{270, 380, 370, 480}, logo{20, 360, 100, 450}, crosshair{312, 232, 328, 248};

TEST_F(Hud, TheWeaponPictureFollowsTheChoiceAndHTakesTheCrosshairAway) {
  const std::vector<std::uint8_t> rifle = draw(drawWeaponLogoAndCrosshair);
  game().player.rifleSelected = false;
  game().player.laserSelected = true;
  EXPECT_GT(differingPixels(rifle, draw(drawWeaponLogoAndCrosshair), width, weapon), 500);
  EXPECT_GT(count(rifle, logo).lit(), 1000);
  EXPECT_GT(count(rifle, crosshair).lit(), 10);
  game().flags.crosshairVisible = false;
  const std::vector<std::uint8_t> noCrosshair = draw(drawWeaponLogoAndCrosshair);
  EXPECT_EQ(count(noCrosshair, crosshair).lit(), 0);
  EXPECT_GT(count(noCrosshair, logo).lit(), 1000);
  // The logo is drawn without blending: on a white background its black
  // border stays black, where the weapon adds onto the white.
  glClearColor(1, 1, 1, 1);
  const std::vector<std::uint8_t> onWhite = draw(drawWeaponLogoAndCrosshair);
  glClearColor(0, 0, 0, 0);
  EXPECT_LT(count(onWhite, logo).lit(), (logo.right - logo.left) * (logo.bottom - logo.top));
  EXPECT_EQ(differingPixels(onWhite, std::vector<std::uint8_t>(onWhite.size(), 255), width, weapon), 0);
  // The depth test is back on and the matrix places the player box.
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  float matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  EXPECT_EQ(matrix[14], -0.25f);
}

// The HUD lays the shield logo's picture right to left, so that the "B" on
// it reads forwards: its straight stem on the left, its round bowls on the
// right, so row by row its left edge stays in one column, its right edge
// wanders. The letter is the gold between the red field's first and last
// pixel of a row; the gold outside them is the shield's rim.
TEST_F(Hud, TheLogosLetterReadsTheRightWayRound) {
  const std::vector<std::uint8_t> pixels = draw(drawWeaponLogoAndCrosshair);
  std::vector<int> left, right;
  for (int y = 340; y < 470; ++y) {
    const std::uint8_t* row = &pixels[(height - 1 - y) * width * 4];
    const auto red = [&](int x) { return row[x * 4] > 60 && row[x * 4] > 3 * row[x * 4 + 1]; };
    const auto gold = [&](int x) { return row[x * 4 + 1] > 80 && 2 * row[x * 4 + 1] > row[x * 4]; };
    int firstRed = -1, lastRed = -1, first = -1, last = -1;
    for (int x = 10; x < 120; ++x) {
      if (red(x)) lastRed = x, firstRed = firstRed < 0 ? x : firstRed;
    }
    for (int x = firstRed + 1; firstRed >= 0 && x < lastRed; ++x) {
      if (gold(x)) last = x, first = first < 0 ? x : first;
    }
    if (first < 0) continue;
    left.push_back(first);
    right.push_back(last);
  }
  ASSERT_GT(left.size(), 20u) << "no letter on the logo";
  const auto spread = [](const std::vector<int>& columns) {
    const auto range = std::minmax_element(columns.begin(), columns.end());
    return *range.second - *range.first;
  };
  EXPECT_LE(spread(left), 2);
  EXPECT_GE(spread(right), 3 * std::max(spread(left), 1)) << "left edge spread " << spread(left);
}

TEST(FrameRate, TextIsTheTruncatedRateAndFps) {
  EXPECT_EQ(frameRateText(66.7), "66 FPS");
  EXPECT_EQ(frameRateText(0.0), "0 FPS");
}

// The loop's pacing: the limiter sleeps frames 15 ms apart, every frame
// takes at least 10 ms; with the frame-rate text on nothing sleeps and the
// text measures every tenth frame.
TEST(FrameRate, PacingKeepsFramesApartAndTheTextOnlyMeasures) {
  ScopedRecordingOs os;
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
