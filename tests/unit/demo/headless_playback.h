#pragma once
// Demos played back headless through the real run order: the game's files
// come from the generated data tree (the level may be replaced by a test's
// own copy), the window is the test's offscreen context, and what the
// program says is captured; and the loading of a demo file a test relies on.

#include <gtest/gtest.h>

#include <string>

#include "render/scene_projection.h"
#include "shell/demo_file.h"
#include "shell/demo_run.h"
#include "shell/run_sequence.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "world/level_loader.h"

class HeadlessPlatform : public RecordingOs {
 public:
  std::string levelFile = std::string(BRAKMOOR_DATA_DIR) + "/" + levelFileName;
  std::string resolveFileName(const char* name) override {
    if (std::string(name) == levelFileName) return levelFile;
    return std::string(BRAKMOOR_DATA_DIR) + "/" + name;
  }
  BitmapImage* readBmpFile(const char* name) override { return testDibReader(resolveFileName(name).c_str()); }
  bool createGameWindow(const char*, const WindowSettings& mode) override {
    resizeGameScene(mode.width, mode.height);
    return true;
  }
  os::WindowEvent pumpGameMessage() override { return os::WindowEvent::none; }
};

struct Outcome {
  int exitCode;
  std::string said;
};

// The committed demos are recorded at 320x240.
inline Outcome playHeadless(const std::string& demoFile, HeadlessPlatform& platform,
                            DemoMode mode = DemoMode::play) {
  TestGlContext context(320, 240);
  testing::internal::CaptureStdout();
  const int code = runProgramWithDemo(platform, {true, mode, demoFile});
  return {code, testing::internal::GetCapturedStdout()};
}

// The demo in a file that must be readable.
inline Demo loadedDemo(const std::string& fileName) {
  Demo demo;
  std::string message;
  EXPECT_TRUE(loadDemo(fileName, demo, message)) << message;
  return demo;
}
