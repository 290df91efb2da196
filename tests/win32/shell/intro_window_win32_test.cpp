// The intro window on Wine: class registration, creation and destruction,
// a failing context step, a refused display mode, and its window procedure.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/gl_api.h"
#include "shell/gl_window_context_win32.h"
#include "shell/intro_window.h"
#include "tests/support/recording_os.h"

namespace {

constexpr unsigned errorStyle = os::boxOk | os::boxIconExclamation;

// Every system command that reaches the default procedure passes the CBT
// hook first; the hook records it and cancels it, so nothing is acted on.
std::vector<WPARAM> defaultSystemCommands;
LRESULT CALLBACK recordSystemCommands(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_SYSCOMMAND) {
    defaultSystemCommands.push_back(wParam);
    return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class IntroWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    application = {GetModuleHandleA(nullptr), "BrakmoorIntro"};
    record.keys = &keys;
    record.settings = {&application, "Brakmoor", 640, 480, 32, 0};
    ASSERT_EQ(registerIntroWindowClass(&application), 1);
  }
  void TearDown() override {
    glContextCalls = platformGlContextCalls;
    destroyIntroWindow(&record);
    UnregisterClassA(application.className, application.instance);
  }
  bool quitPosted() {
    MSG message;
    return PeekMessageA(&message, record.window, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
  }
  LRESULT send(UINT message, WPARAM wParam, LPARAM lParam = 0) {
    return SendMessageA(record.window, message, wParam, lParam);
  }

  ScopedRecordingOs os;
  AppInstance application{};
  KeyDownArray keys{};
  IntroWindow record{};
};

TEST_F(IntroWindowTest, CreatesAWindowedContextAndDestroysItOnce) {
  for (std::int32_t& flag : keys.down) flag = 1;  // left over from a last cycle
  os->ticks = 123456;
  ASSERT_EQ(createIntroWindow(&record), 1);
  EXPECT_TRUE(IsWindowVisible(record.window));
  EXPECT_EQ(record.visible, 1);
  EXPECT_EQ(record.lastTickCount, 123456u);
  EXPECT_EQ(wglGetCurrentContext(), record.renderingContext);
  for (std::int32_t flag : keys.down) ASSERT_EQ(flag, 0);
  RECT client;
  GetClientRect(record.window, &client);
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom, 480);
  EXPECT_TRUE(os->messageBoxes.empty());

  HWND window = record.window;
  EXPECT_EQ(destroyIntroWindow(&record), 1);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(record.window, nullptr);
  EXPECT_EQ(record.deviceContext, nullptr);
  EXPECT_EQ(record.renderingContext, nullptr);
  EXPECT_EQ(destroyIntroWindow(&record), 1);  // nothing left to release
}

TEST_F(IntroWindowTest, ASecondRegistrationFailsWithItsMessage) {
  EXPECT_EQ(registerIntroWindowClass(&application), 0);
  ASSERT_EQ(os->messageBoxes.size(), 1u);
  EXPECT_EQ(os->messageBoxes[0].text, "RegisterClassEx Failed!");
  EXPECT_EQ(os->messageBoxes[0].caption, "Error");
  EXPECT_EQ(os->messageBoxes[0].style, errorStyle);
}

HWND attemptedWindow = nullptr;
HDC WINAPI recordingGetDC(HWND window) {
  attemptedWindow = window;
  return GetDC(window);
}
BOOL WINAPI failingSetPixelFormat(HDC, int, const PIXELFORMATDESCRIPTOR*) { return FALSE; }

TEST_F(IntroWindowTest, AFailingContextStepReleasesTheWindowSilently) {
  glContextCalls.getDeviceContext = recordingGetDC;
  glContextCalls.setPixelFormat = failingSetPixelFormat;
  EXPECT_EQ(createIntroWindow(&record), 0);
  ASSERT_NE(attemptedWindow, nullptr);
  EXPECT_FALSE(IsWindow(attemptedWindow));
  EXPECT_EQ(record.window, nullptr);
  EXPECT_EQ(record.deviceContext, nullptr);
  EXPECT_EQ(record.renderingContext, nullptr);
  EXPECT_TRUE(os->messageBoxes.empty());
}

TEST_F(IntroWindowTest, ARefusedDisplayModeRunsWindowedWithoutTheFrameAllowance) {
  record.settings.width = 1013;  // no display offers this mode
  record.settings.height = 587;
  record.settings.fullScreen = 1;
  ASSERT_EQ(createIntroWindow(&record), 1);
  ASSERT_EQ(os->messageBoxes.size(), 1u);
  EXPECT_EQ(os->messageBoxes[0].text, "Mode Switch Failed.\nRunning In Windowed Mode.");
  EXPECT_EQ(os->messageBoxes[0].caption, "Error");
  EXPECT_EQ(os->messageBoxes[0].style, errorStyle);
  EXPECT_EQ(record.settings.fullScreen, 0);
  EXPECT_TRUE(GetWindowLongPtrA(record.window, GWL_STYLE) & WS_CAPTION);
  RECT client;
  GetClientRect(record.window, &client);
  EXPECT_LT(client.bottom, 587);  // the frame takes its share
}

TEST_F(IntroWindowTest, KeysUpToCode255AreTrackedAndHigherCodesIgnored) {
  ASSERT_EQ(createIntroWindow(&record), 1);
  EXPECT_EQ(send(WM_KEYDOWN, VK_ESCAPE), 0);
  EXPECT_EQ(keys.down[VK_ESCAPE], 1);
  send(WM_KEYDOWN, 255);
  EXPECT_EQ(keys.down[255], 1);
  send(WM_KEYUP, VK_ESCAPE);
  EXPECT_EQ(keys.down[VK_ESCAPE], 0);

  KeyDownArray before = keys;
  for (WPARAM code : {WPARAM{256}, WPARAM{300}, WPARAM{0x10000 | VK_ESCAPE}}) {
    send(WM_KEYDOWN, code);
    send(WM_KEYUP, code);
  }
  EXPECT_EQ(std::memcmp(&before, &keys, sizeof keys), 0);
}

TEST_F(IntroWindowTest, MinimizingStopsTheIntroAndRestoringResizesTheScene) {
  ASSERT_EQ(createIntroWindow(&record), 1);
  send(WM_SIZE, SIZE_MINIMIZED);
  EXPECT_EQ(record.visible, 0);
  send(WM_SIZE, SIZE_MAXHIDE, MAKELPARAM(100, 100));  // other size types change nothing
  EXPECT_EQ(record.visible, 0);
  send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(320, 200));
  EXPECT_EQ(record.visible, 1);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 320);
  EXPECT_EQ(viewport[3], 200);
  send(WM_SIZE, SIZE_MINIMIZED);
  send(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(400, 300));
  EXPECT_EQ(record.visible, 1);
}

TEST_F(IntroWindowTest, TheFullScreenRequestTogglesTheNextModeAndEndsTheLoop) {
  ASSERT_EQ(createIntroWindow(&record), 1);
  createFullScreen = 0;
  send(fullscreenToggleMessage, 0);
  EXPECT_EQ(createFullScreen, 1);
  EXPECT_TRUE(quitPosted());
  send(fullscreenToggleMessage, 0);
  EXPECT_EQ(createFullScreen, 0);
  EXPECT_TRUE(quitPosted());

  // The intro player's request reaches the same handler through the queue.
  requestFullscreenToggle(&record);
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, record.window, fullscreenToggleMessage,
                           fullscreenToggleMessage, PM_REMOVE));
  DispatchMessageA(&message);
  EXPECT_EQ(createFullScreen, 1);
}

TEST_F(IntroWindowTest, ClosingEndsTheProgramStageButKeepsTheWindow) {
  ASSERT_EQ(createIntroWindow(&record), 1);
  programRunning = 1;
  EXPECT_EQ(send(WM_CLOSE, 0), 0);
  EXPECT_EQ(programRunning, 0);
  EXPECT_TRUE(quitPosted());
  EXPECT_TRUE(IsWindow(record.window));
}

TEST_F(IntroWindowTest, OnlyTheExactScreenSaverAndPowerCommandsAreSwallowed) {
  ASSERT_EQ(createIntroWindow(&record), 1);
  HHOOK hook = SetWindowsHookExA(WH_CBT, recordSystemCommands, nullptr,
                                 GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  defaultSystemCommands.clear();
  EXPECT_EQ(send(WM_SYSCOMMAND, SC_SCREENSAVE), 0);
  EXPECT_EQ(send(WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);
  EXPECT_TRUE(defaultSystemCommands.empty());
  send(WM_SYSCOMMAND, SC_SCREENSAVE | 1);
  send(WM_SYSCOMMAND, SC_MONITORPOWER | 2);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(defaultSystemCommands,
            (std::vector<WPARAM>{SC_SCREENSAVE | 1, SC_MONITORPOWER | 2}));
}

}  // namespace
