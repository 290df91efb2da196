#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "game/frame_clock.h"
#include "game/game_loop.h"
#include "game/key_codes.h"
#include "game/scene.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/support/test_levels.h"
#include "tests/unit/game/game_fixtures.h"

namespace {

using Events = std::vector<std::string>;

// Replays scripted key passes and records the loop's requests; the end of a
// script quits. Windows and keyboards work until their count runs out.
struct ScriptedPlatform : RecordingOs {
  bool createGameWindow(const char* title, const WindowSettings& mode) override {
    RecordingOs::createGameWindow(title, mode);
    if (onCreate) onCreate();
    return createsLeft-- > 0;
  }
  void destroyGameWindow() override {
    note("kill");
    if (onKill) onKill();
  }
  bool initKeyboard() override { return note("keyboard"), keyboardsLeft-- > 0; }
  os::WindowEvent pumpGameMessage() override {
    if (passes.empty() || passesTaken++ == quitMessageAt) return os::WindowEvent::quit;
    current = passes.front();
    passes.pop_front();
    return os::WindowEvent::none;
  }
  bool gameWindowActive() override { return passesTaken - 1 != inactiveAt; }
  void swapGameBuffers() override { swapTimes.push_back(frameClockMilliseconds(game().clock)); }
  const unsigned char* readKeyboard() override { return current.data(); }

  std::deque<KeyState> passes;
  int passesTaken = 0, quitMessageAt = -1, inactiveAt = -1, createsLeft = 10, keyboardsLeft = 10;
  KeyState current;
  std::vector<double> swapTimes;
  std::function<void()> onKill, onCreate;
};

// Counts frames; the set-up answers as a scene whose textures or figure
// could not be loaded when told to.
struct CountingScene : GameScene {
  std::int32_t setUp(Game&) override { return setUpResult; }
  std::int32_t drawFrame(Game&) override { return ++framesDrawn, 1; }
  int framesDrawn = 0;
  std::int32_t setUpResult = sceneReady;
};

class GameLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    startFreshGame();
    previous_ = installPlatform(&platform);
    platform.counterStepPerRead = 1000;  // every clock read advances 1 ms
  }
  void TearDown() override { installPlatform(previous_); }
  int run(bool fullScreen = false) {
    WindowSettings settings;
    settings.width = 800;
    settings.height = 600;
    settings.fullScreen = fullScreen;
    return runGameLoop(game(), world(), platform, settings, scene);
  }

  ScriptedPlatform platform;
  CountingScene scene;
  Platform* previous_ = nullptr;
};

TEST_F(GameLoop, EscapeFinishesThePassThenReleasesKeyboardBeforeWindow) {
  platform.passes = {keysDown({scanCode::up}), keysDown({scanCode::escape, scanCode::up}), keysDown({})};
  EXPECT_EQ(run(), gameEnded);
  EXPECT_EQ(scene.framesDrawn, 2);
  EXPECT_NEAR(game().player.offsetZ, -0.2f, 1e-6f);  // Up acted in the Escape pass too
  EXPECT_EQ(platform.calls, (Events{"create Brakmoor windowed", "keyboard", "shutdown keyboard", "kill"}));
  ASSERT_EQ(platform.swapTimes.size(), 2u);
  EXPECT_GE(platform.swapTimes[1] - platform.swapTimes[0], 10.0);  // minimum frame time
}

TEST_F(GameLoop, QuitMessageEndsAtOnceAsANormalEnd) {
  platform.passes = {keysDown({}), keysDown({})};
  platform.quitMessageAt = 1;
  EXPECT_EQ(run(), gameEnded);
  EXPECT_EQ(platform.swapTimes.size(), 1u);
  EXPECT_EQ(platform.calls.back(), "kill");
}

TEST_F(GameLoop, FailingWindowOrKeyboardAtTheStartGivesZero) {
  platform.createsLeft = 0;
  EXPECT_EQ(run(true), gameNotStarted);
  EXPECT_EQ(platform.calls, Events{"create Brakmoor full"});
  platform.calls.clear();
  platform.createsLeft = 1;
  platform.keyboardsLeft = 0;
  EXPECT_EQ(run(), gameNotStarted);
  // The window is left to the caller.
  EXPECT_EQ(platform.calls, (Events{"create Brakmoor windowed", "keyboard"}));
}

TEST_F(GameLoop, ASceneWithoutTexturesClosesItsWindowAndSaysSoARefusedFigureEndsAtOnce) {
  scene.setUpResult = sceneTexturesMissing;
  EXPECT_EQ(run(), gameNotStarted);
  EXPECT_EQ(platform.calls, (Events{"create Brakmoor windowed", "kill"}));
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_EQ(platform.messageBoxes[0].text, "Initialization Failed.");
  EXPECT_EQ(platform.messageBoxes[0].caption, "ERROR");
  EXPECT_EQ(platform.messageBoxes[0].style, (os::BoxStyle{os::Buttons::ok, os::Icon::exclamation}));
  scene.setUpResult = sceneFigureRefused;
  EXPECT_EQ(run(), gameFigureRefused);
  EXPECT_EQ(platform.calls.back(), "create Brakmoor windowed");
  EXPECT_EQ(platform.messageBoxes.size(), 1u);
}

TEST_F(GameLoop, DeathPlaysTheSoundToItsEndThenFinishesThePassAndReleasesAsAtEscape) {
  platform.passes = {keysDown({scanCode::up}), keysDown({})};
  game().player.dead = true;
  EXPECT_EQ(run(), gameEnded);
  ASSERT_EQ(platform.sounds.size(), 1u);
  EXPECT_EQ(platform.sounds[0].fileName, "data/wav/death.wav");
  EXPECT_EQ(platform.sounds[0].mode, os::SoundMode::wait);  // played to its end
  EXPECT_EQ(scene.framesDrawn, 1);
  EXPECT_NEAR(game().player.offsetZ, -0.1f, 1e-6f);
  EXPECT_EQ(platform.calls, (Events{"create Brakmoor windowed", "keyboard", "shutdown keyboard", "kill"}));
}

TEST_F(GameLoop, AnInactiveWindowDrawsNothingButWaitsSwapsRecentresAndTakesKeys) {
  platform.cursor = {340, 240};  // turns the view by one degree
  platform.passes = {keysDown({scanCode::up}), keysDown({scanCode::escape})};
  platform.inactiveAt = 0;
  EXPECT_EQ(run(), gameEnded);
  EXPECT_EQ(scene.framesDrawn, 1);
  ASSERT_EQ(platform.swapTimes.size(), 2u);
  EXPECT_GE(platform.swapTimes[0], 10.0);  // the clock starts with the loop
  ASSERT_EQ(platform.cursorMoves.size(), 2u);
  EXPECT_EQ(platform.cursorMoves[0].x, 320);
  EXPECT_NEAR(game().player.heading, -1.0f, 1e-6f);
  EXPECT_NEAR(game().player.offsetX, 0.1f * std::sin(0.017453292f), 1e-6f);  // turned first
}

// Held, F1 switches once; a switch whose window or keyboard cannot be made
// ends the game as one that never started.
TEST_F(GameLoop, F1RecreatesTheWindowInTheOtherModeAndAFailureEndsWithZero) {
  const KeyState f1 = keysDown({scanCode::f1});
  platform.passes = {f1, f1, keysDown({}), f1};
  platform.createsLeft = 2;
  EXPECT_EQ(run(true), gameNotStarted);
  EXPECT_EQ(platform.calls, (Events{"create Brakmoor full", "keyboard", "kill", "create Brakmoor - Level 1 windowed",
                                    "keyboard", "kill", "create Brakmoor - Level 1 full"}));
  startFreshGame();
  platform.calls.clear();
  platform.passes = {f1, keysDown({})};
  platform.createsLeft = 10;
  platform.keyboardsLeft = 1;
  EXPECT_EQ(run(), gameNotStarted);
  EXPECT_EQ(platform.calls,
            (Events{"create Brakmoor windowed", "keyboard", "kill", "create Brakmoor - Level 1 full", "keyboard"}));
}

// The new window makes the enemies again, so the shot of the pass that
// pressed F1 is resolved first, on the enemies the player saw, and it is
// fired even when the switch then fails and ends the game.
TEST_F(GameLoop, AShotInTheSamePassAsF1MeetsTheEnemiesAsTheyWere) {
  corridorAlongColumnTwo(5);  // a wall 9 ahead
  for (const int createsLeft : {10, 1}) {
    SCOPED_TRACE(createsLeft);
    startFreshGame();
    platform.calls.clear();
    platform.createsLeft = createsLeft;
    putEyeAt(3.0f, -1.0f);
    game().player.lastFireTime = -1000.0;
    Enemy& target = placeFirstEnemy(3.0f, -5.0f);
    target.distance = 4.0f;
    int healthAtSwitch = -1;
    platform.onCreate = [&] {
      if (platform.calls.size() == 1) return;  // the first window
      healthAtSwitch = target.health;
      target.health = 25;  // made again with the new window
    };
    platform.passes = {keysDown({scanCode::f1, scanCode::rightControl})};
    run();
    EXPECT_EQ(healthAtSwitch, 14);  // 25 - (15 - 4)
    EXPECT_EQ(game().player.rifleAmmo, 29);
  }
}

TEST_F(GameLoop, AFullScreenSwitchDeletesTheFiguresTexturesWhileTheirContextStillExists) {
  TestGlContext gl(16, 16);
  ASSERT_TRUE(gl.ok());
  char folder[4096];
  ASSERT_EQ(getcwd(folder, sizeof folder), folder);
  ASSERT_EQ(chdir(BRAKMOOR_DATA_DIR), 0);
  ASSERT_EQ(game().enemies[0].model.loadModel("Data/MODELS/gign.mdl"), "");
  ASSERT_EQ(chdir(folder), 0);
  const std::vector<GLuint> names = figureTextureNames(game().enemies[0].model);
  ASSERT_FALSE(names.empty());
  int aliveAtKill = -1;
  platform.onKill = [&] {
    if (aliveAtKill >= 0) return;  // the first kill is the switch's
    aliveAtKill = 0;
    for (GLuint name : names) aliveAtKill += glIsTexture(name) ? 1 : 0;
  };
  platform.passes = {keysDown({scanCode::f1})};
  run();
  EXPECT_EQ(aliveAtKill, 0);
  EXPECT_TRUE(game().enemies[0].model.loaded());  // the files stay until the figures are made again
}

}  // namespace
