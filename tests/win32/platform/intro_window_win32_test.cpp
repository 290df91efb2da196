// The intro window on Wine: one cycle (creation, the keys it tracks, the
// requests that end the cycle, a release that is safe to repeat, a refused
// second registration and display mode), failed creations, and the loop.

#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32/gl_window_context.h"
#include "platform/win32/intro_window.h"
#include "platform/win32/win32_platform.h"
#include "render/gl_api.h"
#include "shell/intro_player.h"
#include "tests/support/recording_os.h"

namespace {

// A windowed intro window record as the program fills it, with recording OS
// services.
class IntroWindowTest : public ::testing::Test {
 protected:
  IntroWindowTest() {
    record.instance = instance;
    settings = {640, 480, 32, 0};
  }
  ~IntroWindowTest() override { glContextCalls = platformGlContextCalls; }

  ScopedRecordingOs os;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WindowSettings settings;
  KeyDownArray keys{};
  IntroWindow record{};
};

TEST_F(IntroWindowTest, TracksKeysEndsOnRequestReleasesOnceAndReportsRefusals) {
  for (std::int32_t& flag : keys.down) flag = 1;  // left over from a last cycle
  ASSERT_EQ(registerIntroWindowClass(instance), 1);
  ASSERT_EQ(createIntroWindow(record, "Brakmoor", settings, keys), 1);
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

  // The pump reports the full-screen request and a closed window (which
  // stays open) to the run order, and the quit message.
  PostMessageA(record.window, fullscreenToggleMessage, 0, 0);
  EXPECT_EQ(pumpIntroMessage(record), os::WindowEvent::fullScreenToggleRequested);
  EXPECT_EQ(send(WM_CLOSE, 0), 0);
  EXPECT_EQ(pumpIntroMessage(record), os::WindowEvent::closeRequested);
  EXPECT_TRUE(IsWindow(record.window));
  PostMessageA(record.window, WM_QUIT, 0, 0);
  EXPECT_EQ(pumpIntroMessage(record), os::WindowEvent::quit);

  HWND window = record.window;
  EXPECT_EQ(destroyIntroWindow(record), 1);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(record.window, nullptr);
  EXPECT_EQ(record.deviceContext, nullptr);
  EXPECT_EQ(record.renderingContext, nullptr);
  EXPECT_EQ(destroyIntroWindow(record), 1);  // nothing left to release
  EXPECT_TRUE(os->messageBoxes.empty());

  EXPECT_EQ(registerIntroWindowClass(instance), 0);
  settings = {1013, 587, 32, 1};  // no display offers this
  ASSERT_EQ(createIntroWindow(record, "Brakmoor", settings, keys), 1);
  EXPECT_EQ(settings.fullScreen, 0);
  EXPECT_TRUE(GetWindowLongPtrA(record.window, GWL_STYLE) & WS_CAPTION);
  destroyIntroWindow(record);
  const char* texts[] = {"RegisterClassEx Failed!",
                         "Mode Switch Failed.\nRunning In Windowed Mode."};
  ASSERT_EQ(os->messageBoxes.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(os->messageBoxes[i].text, texts[i]);
    EXPECT_EQ(os->messageBoxes[i].caption, "Error");
    EXPECT_EQ(os->messageBoxes[i].style, (os::BoxStyle{os::Buttons::ok, os::Icon::exclamation}));
  }
  UnregisterClassA(introWindowClassName, instance);
}

// The window and context of the attempt under test, so the test can see
// they were released.
HWND attemptedWindow = nullptr;
HGLRC attemptedContext = nullptr;
HDC WINAPI recordingGetDC(HWND window) { return attemptedWindow = window, GetDC(window); }
HDC WINAPI failingGetDC(HWND window) { return attemptedWindow = window, nullptr; }
int WINAPI failingChoosePixelFormat(HDC, const PIXELFORMATDESCRIPTOR*) { return 0; }
HGLRC WINAPI recordingCreateContext(HDC dc) { return attemptedContext = wglCreateContext(dc); }
BOOL WINAPI failingMakeCurrent(HDC, HGLRC) { return FALSE; }
// Refuses every window this thread creates.
LRESULT CALLBACK refuseCreation(int code, WPARAM wParam, LPARAM lParam) {
  return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(IntroWindowTest, AFailedCreationReleasesWhatExistsAndReturnsZero) {
  ASSERT_EQ(registerIntroWindowClass(instance), 1);
  for (void (*breakStep)() : {+[] { glContextCalls.getDeviceContext = failingGetDC; },
                              +[] { glContextCalls.choosePixelFormat = failingChoosePixelFormat; },
                              +[] { glContextCalls.makeCurrent = failingMakeCurrent; }}) {
    glContextCalls = platformGlContextCalls;
    glContextCalls.getDeviceContext = recordingGetDC;
    glContextCalls.createContext = recordingCreateContext;
    attemptedWindow = nullptr;
    attemptedContext = nullptr;
    breakStep();
    EXPECT_EQ(createIntroWindow(record, "Brakmoor", settings, keys), 0);
    ASSERT_NE(attemptedWindow, nullptr);
    EXPECT_FALSE(IsWindow(attemptedWindow));
    EXPECT_TRUE(record.window == nullptr && record.deviceContext == nullptr && record.renderingContext == nullptr);
    EXPECT_TRUE(attemptedContext == nullptr || !wglDeleteContext(attemptedContext)) << "the context is still alive";
  }
  glContextCalls = platformGlContextCalls;
  Win32Platform win32(instance);
  HHOOK hook = SetWindowsHookExA(WH_CBT, refuseCreation, nullptr, GetCurrentThreadId());
  EXPECT_FALSE(win32.createIntroWindow("Brakmoor", settings, keys));
  UnhookWindowsHookEx(hook);
  EXPECT_TRUE(os->messageBoxes.empty());
  UnregisterClassA(introWindowClassName, instance);
}

// The intro's message loop carries out the player's requests, and an update
// that ends the intro leaves no full-screen request behind: the game's
// message pump would hand it to this window, whose answer (WM_QUIT) would
// end the game at once.
TEST_F(IntroWindowTest, TheLoopTogglesOnF1AndLeavesNoRequestWhenTheIntroEndsWithIt) {
  Win32Platform win32(instance);
  ASSERT_TRUE(win32.registerIntroWindowClass());
  ASSERT_TRUE(win32.createIntroWindow("Brakmoor", settings, keys));
  IntroPlayer player;
  initIntro(win32, player, &keys);  // no movie here: reported, and a second of black
  player.lastTickCount = win32.tickCount();
  MSG message;

  keys.down[VK_F1] = 1;
  RunFlags flags;
  flags.introRunning = 1;
  runIntroLoop(win32, player, flags);
  EXPECT_EQ(flags.introRunning, 1);  // the quit message ended the loop
  EXPECT_EQ(flags.createFullScreen, 1);

  for (int escape : {1, 0}) {  // Escape with F1, then F1 as the movie ends
    SCOPED_TRACE(escape);
    keys.down[VK_ESCAPE] = escape;
    player.lastFrame = escape == 1 ? 100 : 0;
    flags.introRunning = 1;
    runIntroLoop(win32, player, flags);
    EXPECT_EQ(flags.introRunning, 0);
    EXPECT_EQ(flags.createFullScreen, 1);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, fullscreenToggleMessage, fullscreenToggleMessage,
                              PM_REMOVE));
  }
  closeIntroMovie(win32);
  win32.destroyIntroWindow();
  win32.unregisterIntroWindowClass();
}

}  // namespace
