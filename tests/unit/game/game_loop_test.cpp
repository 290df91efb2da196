// The game loop on the ways the demos never take: windows, keyboards and
// scenes that fail, at the start or at F1, an inactive window, a shot in
// the F1 pass, and what the loop asks of the platform and OpenGL beyond the
// game state (the order of releases, the figures' textures). The death
// sound is heard in the death demo's pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "game/game_loop.h"
#include "game/key_codes.h"
#include "game/scene.h"
#include "tests/support/gl_context.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/recording_os.h"
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
    if (passes.empty()) return os::WindowEvent::quit;
    std::copy(passes.front().begin(), passes.front().end(), keys);
    passes.pop_front();
    return os::WindowEvent::none;
  }
  bool gameWindowActive() override { return passesSeen++ != inactiveAt; }
  void swapGameBuffers() override { ++swaps; }

  std::deque<KeyState> passes;
  int passesSeen = 0, inactiveAt = -1, createsLeft = 10, keyboardsLeft = 10, swaps = 0;
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
    return runGameLoop(game(), world(), platform, WindowSettings{800, 600, 32, fullScreen}, scene);
  }

  ScriptedPlatform platform;
  CountingScene scene;
  Platform* previous_ = nullptr;
};

const KeyState none = keysDown({}), up = keysDown({scanCode::up}), f1 = keysDown({scanCode::f1});
const Events ended{"create Brakmoor windowed", "keyboard", "shutdown keyboard", "kill"};

// Each way the loop can end (Escape is proved by the demos, the quit
// message by the end of every script): the keyboard is released before the
// window; a window or keyboard that cannot be made (at F1, held, it switches
// once) ends the game as one that never started, and the window is then
// left to the caller; a scene without textures closes its window and says
// so; a refused figure ends at once.
TEST_F(GameLoop, EachWayToTheEndReleasesWhatWasMadeInOrder) {
  const struct Case {
    const char* name;
    std::deque<KeyState> passes;
    bool fullScreen, dead;
    int createsLeft, keyboardsLeft;
    std::int32_t setUp;
    int result, framesDrawn;
    Events calls;
  } cases[] = {
      {"death", {up, up}, false, true, 10, 10, sceneReady, gameEnded, 1, ended},
      {"no textures", {}, false, false, 10, 10, sceneTexturesMissing, gameNotStarted, 0,
       {"create Brakmoor windowed", "kill"}},
      {"refused figure", {}, false, false, 10, 10, sceneFigureRefused, gameFigureRefused, 0,
       {"create Brakmoor windowed"}},
      {"no window at the second F1", {f1, f1, none, f1}, true, false, 2, 10, sceneReady, gameNotStarted, 4,
       {"create Brakmoor full", "keyboard", "kill", "create Brakmoor - Level 1 windowed", "keyboard", "kill",
        "create Brakmoor - Level 1 full"}},
      {"no keyboard after F1", {f1, none}, false, false, 10, 1, sceneReady, gameNotStarted, 1,
       {"create Brakmoor windowed", "keyboard", "kill", "create Brakmoor - Level 1 full", "keyboard"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    startFreshGame();
    platform.calls.clear();
    platform.messageBoxes.clear();
    platform.passes = c.passes;
    platform.createsLeft = c.createsLeft;
    platform.keyboardsLeft = c.keyboardsLeft;
    scene.framesDrawn = 0;
    scene.setUpResult = c.setUp;
    game().player.dead = c.dead;
    EXPECT_EQ(run(c.fullScreen), c.result);
    EXPECT_EQ(platform.calls, c.calls);
    EXPECT_EQ(scene.framesDrawn, c.framesDrawn);
    const RecordedMessageBox failed{"Initialization Failed.", "ERROR", {os::Buttons::ok, os::Icon::exclamation}};
    EXPECT_EQ(platform.messageBoxes, std::vector<RecordedMessageBox>(c.setUp == sceneTexturesMissing, failed));
  }
}

TEST_F(GameLoop, AnInactiveWindowDrawsNothingButSwapsRecentresAndTakesKeys) {
  platform.cursor = {340, 240};  // turns the view by one degree
  platform.passes = {up, keysDown({scanCode::escape})};
  platform.inactiveAt = 0;
  EXPECT_EQ(run(), gameEnded);
  EXPECT_EQ(scene.framesDrawn, 1);
  EXPECT_EQ(platform.swaps, 2);
  ASSERT_EQ(platform.cursorMoves.size(), 2u);
  EXPECT_EQ(platform.cursorMoves[0].x, 320);
  EXPECT_EQ(platform.cursorMoves[0].y, 240);  // put back, which no demo checks
  EXPECT_NEAR(game().player.offsetX, 0.1f * std::sin(0.017453292f), 1e-6f);  // turned first
}

// The new window makes the enemies again, so the shot of the pass that
// pressed F1 is resolved first, on the enemies the player saw.
TEST_F(GameLoop, AShotInTheSamePassAsF1MeetsTheEnemiesAsTheyWere) {
  corridor(5);  // a wall 9 ahead
  game().player.lastFireTime = -1000.0;
  Enemy& target = enemyAhead(4.0f);
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

TEST_F(GameLoop, AFullScreenSwitchDeletesTheFiguresTexturesWhileTheirContextStillExists) {
  TestGlContext gl(16, 16);
  InDataFolder data;
  ASSERT_TRUE(gl.ok());
  ASSERT_EQ(game().enemies[0].model.loadModel("Data/MODELS/gign.mdl"), "");
  const std::vector<GLuint> names = figureTextureNames(game().enemies[0].model);
  ASSERT_FALSE(names.empty());
  int aliveAtKill = -1;
  platform.onKill = [&] {
    if (aliveAtKill >= 0) return;  // the first kill is the switch's
    aliveAtKill = 0;
    for (GLuint name : names) aliveAtKill += glIsTexture(name) ? 1 : 0;
  };
  platform.passes = {f1};
  run();
  EXPECT_EQ(aliveAtKill, 0);
  EXPECT_TRUE(game().enemies[0].model.loaded());  // the files stay until the figures are made again
}

}  // namespace
