#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <string>
#include <vector>

#include "game/controls.h"
#include "game/game_loop.h"
#include "game/key_codes.h"
#include "shell/frame_clock.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/unit/game/game_fixtures.h"

namespace {

// A window system that replays scripted passes and records what the loop
// asked of it, in order.
class ScriptedPlatform : public GamePlatform {
 public:
  struct Pass {
    MessagePass message = MessagePass::none;
    KeyState keys{};
    bool active = true;
  };

  int createWindow(const char* title, bool fullScreen) override {
    events.push_back(std::string("create ") + title + (fullScreen ? " full" : " windowed"));
    if (createResults.empty()) return 1;
    const int result = createResults.front();
    createResults.pop_front();
    return result;
  }
  void killWindow() override { events.push_back("kill"); }
  int initKeyboard() override {
    events.push_back("keyboard");
    return keyboardResult;
  }
  void shutdownKeyboard() override { events.push_back("shutdown keyboard"); }
  MessagePass pumpOneMessage() override {
    if (passes.empty()) {
      // A script that runs out closes the window, so no test can hang.
      return MessagePass::quit;
    }
    current = passes.front();
    passes.pop_front();
    return current.message;
  }
  bool windowActive() override { return current.active; }
  void swapBuffers() override {
    events.push_back("swap");
    swapTimes.push_back(frameClockMilliseconds());
  }
  const unsigned char* readKeyboard() override { return current.keys.data(); }

  std::deque<Pass> passes;
  std::deque<int> createResults;
  int keyboardResult = 1;
  Pass current;
  std::vector<std::string> events;
  std::vector<double> swapTimes;
};

ScriptedPlatform::Pass framePass(std::initializer_list<std::uint8_t> keys = {}) {
  ScriptedPlatform::Pass pass;
  pass.keys = keysDown(keys);
  return pass;
}

ScriptedPlatform::Pass messagePass() {
  ScriptedPlatform::Pass pass;
  pass.message = GamePlatform::MessagePass::handled;
  return pass;
}

int framesDrawn = 0;
std::int32_t countFrame(CollisionModel3D*, CollisionModel3D*, CollisionModel3D*) {
  ++framesDrawn;
  return 1;
}

class GameLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());  // the B, W and S keys change the drawing state
    resetGameGlobals();
    framesDrawn = 0;
    // Every clock read advances 1 ms, so the frame wait ends.
    os->countsPerSecond = 1000000;
    os->counterStepPerRead = 1000;
  }

  int run(bool fullScreen = false) {
    return runGameLoop(platform, 800, 600, fullScreen, GameModels{}, countFrame);
  }

  std::vector<std::string> eventsWithoutSwaps() const {
    std::vector<std::string> result;
    for (const std::string& event : platform.events) {
      if (event != "swap") result.push_back(event);
    }
    return result;
  }

  TestGlContext gl;
  ScopedRecordingOs os;
  ScriptedPlatform platform;
};

TEST_F(GameLoop, EscapeFinishesThePassThenReleasesKeyboardBeforeWindow) {
  platform.passes = {framePass({scanCode::up}), framePass({scanCode::escape, scanCode::up}),
                     framePass({scanCode::up})};
  EXPECT_EQ(run(), -1);
  EXPECT_EQ(framesDrawn, 2);
  // The Up key of the Escape pass still moved the player.
  EXPECT_NEAR(playerState.offsetZ, -0.2f, 1e-6f);
  EXPECT_EQ(eventsWithoutSwaps(),
            (std::vector<std::string>{"create Brakmoor windowed", "keyboard",
                                      "shutdown keyboard", "kill"}));
  EXPECT_EQ(screenWidth, 800);
  EXPECT_EQ(screenHeight, 600);
}

TEST_F(GameLoop, QuitMessageEndsAtOnceAsANormalEnd) {
  ScriptedPlatform::Pass quit;
  quit.message = GamePlatform::MessagePass::quit;
  platform.passes = {framePass(), quit, framePass()};
  EXPECT_EQ(run(), -1);
  EXPECT_EQ(framesDrawn, 1);
  EXPECT_EQ(platform.events.back(), "kill");
}

TEST_F(GameLoop, FailingWindowOrKeyboardAtTheStartGivesZero) {
  platform.createResults = {0};
  EXPECT_EQ(run(true), 0);
  EXPECT_EQ(platform.events, (std::vector<std::string>{"create Brakmoor full"}));

  ScriptedPlatform noKeyboard;
  noKeyboard.keyboardResult = 0;
  EXPECT_EQ(runGameLoop(noKeyboard, 640, 480, false, GameModels{}, countFrame), 0);
  // The window is left to the caller.
  EXPECT_EQ(noKeyboard.events,
            (std::vector<std::string>{"create Brakmoor windowed", "keyboard"}));
}

TEST_F(GameLoop, PendingMessagesStarveTheFrame) {
  platform.passes = {messagePass(), messagePass(), messagePass(),
                     framePass({scanCode::escape})};
  EXPECT_EQ(run(), -1);
  EXPECT_EQ(framesDrawn, 1);
  EXPECT_EQ(os->cursorMoves.size(), 1u);
}

TEST_F(GameLoop, InactiveWindowDrawsNothingButInputGoesOn) {
  ScriptedPlatform::Pass inactive = framePass({scanCode::up});
  inactive.active = false;
  os->cursor = {340, 240};
  platform.passes = {inactive, inactive, framePass({scanCode::escape})};
  EXPECT_EQ(run(), -1);
  EXPECT_EQ(framesDrawn, 1);
  EXPECT_EQ(platform.swapTimes.size(), 3u);
  EXPECT_EQ(os->cursorMoves.size(), 3u);
  // The mouse turned the view by one degree before the first step.
  EXPECT_NEAR(playerState.heading, -1.0f, 1e-6f);
  EXPECT_NEAR(playerState.offsetZ, -0.2f * std::cos(0.017453292f), 1e-6f);
}

TEST_F(GameLoop, EachFramePassLastsAtLeastTenMilliseconds) {
  platform.passes = {framePass(), framePass(), framePass(), framePass({scanCode::escape})};
  EXPECT_EQ(run(), -1);
  ASSERT_EQ(platform.swapTimes.size(), 4u);
  for (std::size_t i = 1; i < platform.swapTimes.size(); ++i) {
    EXPECT_GE(platform.swapTimes[i] - platform.swapTimes[i - 1], 10.0);
  }
}

TEST_F(GameLoop, F1RecreatesTheWindowInTheOtherMode) {
  platform.passes = {framePass({scanCode::f1}), framePass({scanCode::f1}), framePass(),
                     framePass({scanCode::f1}), framePass({scanCode::escape})};
  EXPECT_EQ(run(true), -1);
  EXPECT_EQ(eventsWithoutSwaps(),
            (std::vector<std::string>{
                "create Brakmoor full", "keyboard",
                "kill", "create Brakmoor - Level 1 windowed", "keyboard",
                "kill", "create Brakmoor - Level 1 full", "keyboard",
                "shutdown keyboard", "kill"}));
}

TEST_F(GameLoop, FailedRecreationEndsWithZeroWithoutRelease) {
  platform.createResults = {1, 0};
  platform.passes = {framePass({scanCode::f1}), framePass()};
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(platform.events.back(), "create Brakmoor - Level 1 full");
}

TEST_F(GameLoop, DeathPlaysTheSoundToTheEndAndFinishesThePass) {
  platform.passes = {framePass(), framePass({scanCode::up}), framePass()};
  playerState.dead = true;
  EXPECT_EQ(run(), -1);
  ASSERT_EQ(os->sounds.size(), 1u);
  EXPECT_EQ(os->sounds[0].fileName, "data/wav/death.wav");
  EXPECT_EQ(os->sounds[0].flags, os::soundFileName);
  EXPECT_EQ(framesDrawn, 1);
}

}  // namespace
