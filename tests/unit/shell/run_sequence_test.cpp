// The run sequence with scripted steps: each intro cycle ends the way a test
// chooses (Escape, closing the window, the full-screen key), and the log of
// steps shows what ran in which order.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "shell/os_services.h"
#include "shell/run_flags.h"
#include "shell/run_sequence.h"
#include "tests/support/recording_os.h"

namespace {

// What the intro does during one cycle, as the window procedure and the
// intro player would do it.
void pressEscape() { endIntro(); }
void closeWindow() { programRunning = 0; }  // terminateProgram; WM_QUIT ends the loop
void pressF1() { createFullScreen = createFullScreen == 1 ? 0 : 1; }

class ScriptedSteps : public RunSteps {
 public:
  std::vector<std::string> log;
  std::deque<std::function<void()>> introEndings;
  std::int32_t dialogFullScreen = 0;
  int registerResult = 1;
  int createResult = 1;
  bool levelLoads = true;
  int gameResult = -1;
  std::vector<std::int32_t> introModes;

  void showStartDialog() override { log.push_back("dialog"); }
  std::int32_t chosenFullScreen() override { return dialogFullScreen; }
  int registerIntroClass() override {
    log.push_back("register");
    return registerResult;
  }
  void unregisterIntroClass() override { log.push_back("unregister"); }
  int createIntroWindow(std::int32_t fullScreen) override {
    log.push_back("create");
    introModes.push_back(fullScreen);
    return createResult;
  }
  void initIntro() override { log.push_back("init"); }
  void runIntroLoop() override {
    log.push_back("intro");
    // A script that runs out behaves like a movie that reaches its end.
    if (introEndings.empty()) {
      endIntro();
      return;
    }
    introEndings.front()();
    introEndings.pop_front();
  }
  bool loadLevel(const char* fileName) override {
    log.push_back(std::string("level ") + fileName);
    return levelLoads;
  }
  void loadTextures() override { log.push_back("textures"); }
  int runGame() override {
    log.push_back("game");
    return gameResult;
  }
  void closeIntroMovie() override { log.push_back("close"); }
  void destroyIntroWindow() override { log.push_back("destroy"); }
};

class RunSequence : public ::testing::Test {
 protected:
  void SetUp() override { gamePending = 1; }
  ScopedRecordingOs os;
  ScriptedSteps steps;
  const std::string level = std::string("level ") + levelFileName;
};

TEST_F(RunSequence, EscapeRunsTheGameOnceAndExits) {
  steps.introEndings = {pressEscape};
  EXPECT_EQ(runSequence(steps), 0);
  std::vector<std::string> expected = {"dialog", "register", "create", "init",
                                       "intro", level, "textures", "game",
                                       "close", "destroy", "unregister"};
  EXPECT_EQ(steps.log, expected);
  EXPECT_EQ(gamePending, 0);
  EXPECT_EQ(programRunning, 0);
  EXPECT_TRUE(os->messageBoxes.empty());
}

TEST_F(RunSequence, ClosingTheIntroWindowOpensANewOneAndThenExitsWithoutAGame) {
  steps.introEndings = {closeWindow, pressEscape};
  EXPECT_EQ(runSequence(steps), 0);
  std::vector<std::string> expected = {"dialog", "register",
                                       "create", "init", "intro", "close", "destroy",
                                       "create", "init", "intro", "close", "destroy",
                                       "unregister"};
  EXPECT_EQ(steps.log, expected);
  EXPECT_EQ(gamePending, 1);
}

TEST_F(RunSequence, FullScreenKeyRunsTheGameAtOnceThenTheIntroInTheOtherMode) {
  steps.dialogFullScreen = 0;
  steps.introEndings = {pressF1, pressEscape};
  EXPECT_EQ(runSequence(steps), 0);
  std::vector<std::string> expected = {"dialog", "register",
                                       "create", "init", "intro", level, "textures",
                                       "game", "close", "destroy",
                                       "create", "init", "intro", "close", "destroy",
                                       "unregister"};
  EXPECT_EQ(steps.log, expected);
  EXPECT_EQ(steps.introModes, (std::vector<std::int32_t>{0, 1}));
}

TEST_F(RunSequence, TheGameRunsOnceAndAnUnexpectedResultDoesNotRepeatTheLevelStage) {
  steps.gameResult = 1;
  steps.introEndings = {pressEscape};
  EXPECT_EQ(runSequence(steps), 0);
  int levels = 0;
  int games = 0;
  for (const std::string& step : steps.log) {
    levels += step == level;
    games += step == "game";
  }
  EXPECT_EQ(levels, 2);  // the second pass finds the game already run
  EXPECT_EQ(games, 1);
  EXPECT_EQ(programRunning, 0);
}

TEST_F(RunSequence, AMissingLevelIsReportedAndTheGameStillStarts) {
  steps.levelLoads = false;
  steps.introEndings = {pressEscape};
  EXPECT_EQ(runSequence(steps), 0);
  std::vector<std::string> expected = {"dialog", "register", "create", "init",
                                       "intro", level, "close", "destroy",
                                       "textures", "game", "close", "destroy",
                                       "unregister"};
  EXPECT_EQ(steps.log, expected);
  ASSERT_EQ(os->messageBoxes.size(), 1u);
  EXPECT_EQ(os->messageBoxes[0].text, "Error Loading Level-File !!!!    ");
  EXPECT_EQ(os->messageBoxes[0].caption, "Error");
  EXPECT_EQ(os->messageBoxes[0].style, os::boxOk | os::boxIconExclamation);
  EXPECT_EQ(os->messageBoxes[0].owner, nullptr);
}

TEST_F(RunSequence, FailuresOfTheIntroWindowEndTheRun) {
  {
    ScriptedSteps refused;
    refused.registerResult = 0;
    EXPECT_EQ(runSequence(refused), -1);
    EXPECT_EQ(refused.log, (std::vector<std::string>{"dialog", "register"}));
  }
  {
    ScriptedSteps broken;
    broken.createResult = 0;
    EXPECT_EQ(runSequence(broken), 0);
    EXPECT_EQ(broken.log,
              (std::vector<std::string>{"dialog", "register", "create", "unregister"}));
    EXPECT_EQ(programRunning, 0);
  }
  {
    // Only the result 1 counts as a created window.
    ScriptedSteps odd;
    odd.createResult = 2;
    EXPECT_EQ(runSequence(odd), 0);
    EXPECT_EQ(odd.log.back(), "unregister");
    EXPECT_EQ(odd.log.size(), 4u);
  }
  ASSERT_EQ(os->messageBoxes.size(), 3u);
  EXPECT_EQ(os->messageBoxes[0].text, "Error Registering Window Class!");
  EXPECT_EQ(os->messageBoxes[1].text, "Error Creating OpenGL Window");
  for (const RecordedMessageBox& box : os->messageBoxes) {
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.style, os::boxOk | os::boxIconExclamation);
  }
}

}  // namespace
