// The intro player and its loop on the recording platform: frame timing,
// the intro's keys, a missing movie, and what the loop makes of the intro
// window's events.

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "render/scene_projection.h"
#include "shell/intro_player.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"

namespace {

constexpr int escape = 0x1B, f1 = 0x70;

class IntroPlayerTest : public ::testing::Test {
 protected:
  IntroPlayerTest() {
    player_.keys = &keys_;
    resizeIntroScene(256, 256);
  }
  // One channel of a pixel of a picture read back from the 256 x 256 view.
  static int channelAt(const std::vector<std::uint8_t>& screen, int x, int y, int channel) {
    return screen[4 * (y * 256 + x) + channel];
  }

  ScopedRecordingOs os_;
  TestGlContext gl_;
  KeyDownArray keys_{};
  IntroPlayer player_;
};

// Frames follow time; an update that ends the intro (Escape, or the movie's
// last frame) asks for nothing else, not even a held F1's toggle.
TEST_F(IntroPlayerTest, FramesFollowTimeAtThirtySixMillisecondsAndHeldF1AsksUntilTheEnd) {
  player_.lastFrame = 10;
  EXPECT_EQ(updateIntro(player_, 35), IntroRequest::none);
  EXPECT_EQ(updateIntro(player_, 324), IntroRequest::none);  // 359 ms: still the last frame
  EXPECT_EQ(player_.currentFrame, 9);
  EXPECT_EQ(updateIntro(player_, 1), IntroRequest::end);  // 360 ms = 10 x 36
  EXPECT_EQ(std::tuple(player_.currentFrame, player_.elapsed), std::tuple(0, 0));
  EXPECT_EQ(updateIntro(player_, 4000000000u), IntroRequest::end);  // a wrapped tick difference
  player_.lastFrame = 100;
  keys_.down[f1] = keys_.down[escape] = 1;
  EXPECT_EQ(updateIntro(player_, 0), IntroRequest::end);
  keys_.down[escape] = 0;
  EXPECT_EQ(updateIntro(player_, 3600), IntroRequest::end);  // F1 on the last frame
}

// Without a movie the picture stays black and the intro ends by itself
// about a second later, so the game still starts; a movie's decoded frames
// reach the screen. Each intro starts its sound.
TEST_F(IntroPlayerTest, AMissingMovieShowsBlackAndEndsAndDecodedFramesReachTheScreen) {
  ASSERT_TRUE(gl_.ok());
  initIntro(os_.get(), player_, &keys_);
  drawIntro(os_.get(), player_);
  EXPECT_EQ(channelAt(gl_.readPixels(), 128, 128, 0), 0);
  EXPECT_EQ(updateIntro(player_, 499), IntroRequest::none);
  EXPECT_EQ(updateIntro(player_, 2501), IntroRequest::end);
  os_->movieFrames = 2;
  os_->movieColour = 200;
  EXPECT_EQ(initIntro(os_.get(), player_, &keys_), 1);
  EXPECT_EQ(player_.lastFrame, 2);
  drawIntro(os_.get(), player_);
  // The frame fills the view's height and the middle of its width.
  const std::vector<std::uint8_t> screen = gl_.readPixels();
  EXPECT_NEAR(channelAt(screen, 128, 128, 1), 200, 2);
  for (int y : {2, 128, 253}) EXPECT_NEAR(channelAt(screen, 2, y, 0) + channelAt(screen, 253, y, 0), 255, 6) << y;
  EXPECT_NEAR(channelAt(screen, 2, 128, 0), 33, 6);
  ASSERT_EQ(os_->sounds.size(), 2u);
  for (const RecordedSound& sound : os_->sounds)
    EXPECT_EQ(std::tuple(sound.fileName, sound.mode),
              std::tuple(std::string("data/wav/intro.wav"), os::SoundMode::async | os::SoundMode::noWait));
}

TEST_F(IntroPlayerTest, TheLoopTurnsWindowEventsAndRequestsIntoRunFlags) {
  using os::WindowEvent;
  struct Case {
    const char* name;
    std::vector<WindowEvent> events;
    int keyHeld;  // during the updates; -1 for none
    std::tuple<int, int, int> expected;  // intro running, program running, full screen
    std::vector<std::string> calls;
  } cases[] = {
      {"a closed window skips the game", {WindowEvent::handled, WindowEvent::closeRequested},
       -1, {1, 0, 0}, {"post quit"}},
      {"the toggle request switches the next window's mode",
       {WindowEvent::fullScreenToggleRequested}, -1, {1, 1, 1}, {"post quit"}},
      {"F1 asks for the toggle after a drawn frame", {WindowEvent::none}, f1, {1, 1, 0},
       {"post toggle", "swap intro"}},
      {"Escape ends the intro", {WindowEvent::none}, escape, {0, 1, 0}, {"swap intro"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    os_->calls.clear();
    os_->introEvents.assign(c.events.begin(), c.events.end());
    player_.lastFrame = 100;
    keys_.down[f1] = keys_.down[escape] = 0;
    if (c.keyHeld >= 0) keys_.down[c.keyHeld] = 1;
    RunFlags flags{1, 1};
    runIntroLoop(os_.get(), player_, flags);
    EXPECT_EQ(std::tuple(flags.introRunning, flags.programRunning, flags.createFullScreen), c.expected);
    EXPECT_EQ(os_->calls, c.calls);
  }
}

}  // namespace
