// The run sequence with scripted steps: each intro cycle ends the way a test
// chooses, and the log of steps shows what ran in which order.

#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "platform/platform.h"
#include "shell/run_flags.h"
#include "shell/run_sequence.h"
#include "tests/support/recording_os.h"

namespace {

// What the intro does during one cycle, as the window procedure and the
// intro player would do it.
void closeWindow(RunFlags& flags) { flags.programRunning = 0; }  // the quit message ends the loop
void pressF1(RunFlags& flags) { flags.createFullScreen = flags.createFullScreen == 1 ? 0 : 1; }

class ScriptedSteps : public RunSteps {
 public:
  std::string log;  // step names, each followed by a space
  std::deque<void (*)(RunFlags&)> introEndings;
  std::string refused;  // the step that fails: "register", "create" or "level"

  bool showStartDialog() override { return note("dialog"), true; }
  std::int32_t chosenFullScreen() override { return 0; }
  bool registerIntroClass() override { return note("register"), refused != "register"; }
  void unregisterIntroClass() override { note("unregister"); }
  bool createIntroWindow(std::int32_t fullScreen) override {
    return note(fullScreen == 1 ? "create-full" : "create"), refused != "create";
  }
  void initIntro() override { note("init"); }
  void runIntroLoop(RunFlags& flags) override {
    note("intro");
    // A script that runs out behaves like a movie that reaches its end.
    if (introEndings.empty()) return endIntro(flags);
    introEndings.front()(flags);
    introEndings.pop_front();
  }
  bool loadLevel(const char*) override { return note("level"), refused != "level"; }
  void loadTextures() override { note("textures"); }
  std::int32_t runGame() override { return note("game"), -1; }
  void closeIntroMovie() override { note("close"); }
  void destroyIntroWindow() override { note("destroy"); }

 private:
  void note(const char* step) { log += std::string(step) + " "; }
};

TEST(RunSequence, StepsInOrderForEachWayThroughTheProgram) {
  const struct Case {
    const char* name;
    std::deque<void (*)(RunFlags&)> introEndings;
    const char* refused;
    int exitCode;
    const char* log;  // "create-full": an intro window in full screen
    const char* error;  // the one message box, if any
  } cases[] = {
      {"closing opens a new intro, then exits without a game", {closeWindow}, "", 0,
       "dialog register create init intro close destroy create init intro close destroy "
       "unregister ", nullptr},
      {"F1 runs the game at once, then the intro in the other mode", {pressF1}, "", 0,
       "dialog register create init intro level textures game close destroy "
       "create-full init intro close destroy unregister ", nullptr},
      {"a missing level is reported and the game still starts", {}, "level", 0,
       "dialog register create init intro level close destroy textures game close destroy "
       "unregister ", "Error Loading Level-File !!!!    "},
      {"a refused window class ends the run", {}, "register", -1, "dialog register ",
       "Error Registering Window Class!"},
      {"a failed intro window ends the run", {}, "create", 0, "dialog register create unregister ",
       "Error Creating OpenGL Window"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedRecordingOs os;
    ScriptedSteps steps;
    steps.introEndings = c.introEndings;
    steps.refused = c.refused;
    RunFlags flags;
    EXPECT_EQ(runSequence(steps, flags), c.exitCode);
    EXPECT_EQ(steps.log, c.log);
    EXPECT_EQ(flags.programRunning, 0);
    const RecordedMessageBox error{c.error ? c.error : "", "Error", {os::Buttons::ok, os::Icon::exclamation}};
    EXPECT_EQ(os->messageBoxes, std::vector<RecordedMessageBox>(c.error != nullptr, error));
  }
}

}  // namespace
