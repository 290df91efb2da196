// One intro window cycle on Wine: creation, the keys it tracks, the
// requests that end the cycle, a release that is safe to repeat, then a
// refused second registration and a refused display mode.

#include <gtest/gtest.h>

#include <cstring>

#include "render/gl_api.h"
#include "intro/intro_movie.h"
#include "shell/intro_window_win32.h"
#include "tests/support/recording_os.h"

namespace {

// A windowed intro window record as the program fills it, with recording OS
// services.
class IntroWindowTest : public ::testing::Test {
 protected:
  IntroWindowTest() {
    record.keys = &keys;
    record.settings = {&application, "Brakmoor", 640, 480, 32, 0};
  }

  ScopedRecordingOs os;
  AppInstance application{GetModuleHandleA(nullptr), "BrakmoorIntro"};
  KeyDownArray keys{};
  IntroWindow record{};
};

TEST_F(IntroWindowTest, TracksKeysEndsOnRequestReleasesOnceAndReportsRefusals) {
  for (std::int32_t& flag : keys.down) flag = 1;  // left over from a last cycle
  os->ticks = 123456;
  ASSERT_EQ(registerIntroWindowClass(&application), 1);
  ASSERT_EQ(createIntroWindow(&record), 1);
  EXPECT_EQ(record.lastTickCount, 123456u);
  EXPECT_EQ(wglGetCurrentContext(), record.renderingContext);
  for (std::int32_t flag : keys.down) ASSERT_EQ(flag, 0);
  GLfloat m[16];
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  EXPECT_NEAR(m[14] / (m[10] - 1.0), 1.0, 1e-4);  // the intro's near plane

  auto send = [&](UINT message, WPARAM wParam) {
    return SendMessageA(record.window, message, wParam, 0);
  };
  EXPECT_EQ(send(WM_KEYDOWN, VK_ESCAPE), 0);
  send(WM_KEYDOWN, 255);
  EXPECT_EQ(keys.down[VK_ESCAPE], 1);
  EXPECT_EQ(keys.down[255], 1);
  send(WM_KEYUP, VK_ESCAPE);
  EXPECT_EQ(keys.down[VK_ESCAPE], 0);
  KeyDownArray before = keys;
  for (WPARAM code : {WPARAM{256}, WPARAM{300}, WPARAM{0x10000 | VK_ESCAPE}}) {
    send(WM_KEYDOWN, code);
    send(WM_KEYUP, code);
  }
  EXPECT_EQ(std::memcmp(&before, &keys, sizeof keys), 0);

  // The full-screen request and closing both end the message loop; closing
  // also ends the program stage but keeps the window.
  MSG quit;
  createFullScreen = 0;
  send(fullscreenToggleMessage, 0);
  EXPECT_EQ(createFullScreen, 1);
  EXPECT_TRUE(PeekMessageA(&quit, record.window, WM_QUIT, WM_QUIT, PM_REMOVE));
  programRunning = 1;
  EXPECT_EQ(send(WM_CLOSE, 0), 0);
  EXPECT_EQ(programRunning, 0);
  EXPECT_TRUE(PeekMessageA(&quit, record.window, WM_QUIT, WM_QUIT, PM_REMOVE));

  HWND window = record.window;
  EXPECT_EQ(destroyIntroWindow(&record), 1);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(record.window, nullptr);
  EXPECT_EQ(record.deviceContext, nullptr);
  EXPECT_EQ(record.renderingContext, nullptr);
  EXPECT_EQ(destroyIntroWindow(&record), 1);  // nothing left to release
  EXPECT_TRUE(os->messageBoxes.empty());

  EXPECT_EQ(registerIntroWindowClass(&application), 0);
  record.settings = {&application, "Brakmoor", 1013, 587, 32, 1};  // no display offers this
  ASSERT_EQ(createIntroWindow(&record), 1);
  EXPECT_EQ(record.settings.fullScreen, 0);
  EXPECT_TRUE(GetWindowLongPtrA(record.window, GWL_STYLE) & WS_CAPTION);
  destroyIntroWindow(&record);
  const char* texts[] = {"RegisterClassEx Failed!",
                         "Mode Switch Failed.\nRunning In Windowed Mode."};
  ASSERT_EQ(os->messageBoxes.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(os->messageBoxes[i].text, texts[i]);
    EXPECT_EQ(os->messageBoxes[i].caption, "Error");
    EXPECT_EQ(os->messageBoxes[i].style, (os::BoxStyle{os::Buttons::ok, os::Icon::exclamation}));
  }
  UnregisterClassA(application.className, application.instance);
}

// The intro's message loop carries out the player's requests, and an update
// that ends the intro leaves no full-screen request behind: the game's
// message pump would hand it to this window, whose answer (WM_QUIT) would
// end the game at once.
TEST_F(IntroWindowTest, TheLoopTogglesOnF1AndLeavesNoRequestWhenTheIntroEndsWithIt) {
  ASSERT_EQ(registerIntroWindowClass(&application), 1);
  ASSERT_EQ(createIntroWindow(&record), 1);
  initIntro(&keys);  // no movie here: reported, and a second of black
  MSG message;

  keys.down[VK_F1] = 1;
  introRunning = 1;
  createFullScreen = 0;
  runIntroLoop(&record);
  EXPECT_EQ(introRunning, 1);  // the quit message ended the loop
  EXPECT_EQ(createFullScreen, 1);

  for (int escape : {1, 0}) {  // Escape with F1, then F1 as the movie ends
    SCOPED_TRACE(escape);
    keys.down[VK_ESCAPE] = escape;
    introMovie.lastFrame = escape == 1 ? 100 : 0;
    introRunning = 1;
    runIntroLoop(&record);
    EXPECT_EQ(introRunning, 0);
    EXPECT_EQ(createFullScreen, 1);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, fullscreenToggleMessage, fullscreenToggleMessage,
                              PM_REMOVE));
  }
  closeIntroMovie();
  destroyIntroWindow(&record);
  UnregisterClassA(application.className, application.instance);
}

}  // namespace
