// The intro and the game window on Wine. The intro: one cycle (creation, the
// keys it tracks, the requests that end the cycle, a release that is safe to
// repeat, a refused second registration and display mode), failed creations,
// and the loop. The game window: its life (the depth buffer granted, a
// collapsed window, release and a second release), each failing creation
// step releasing what exists and saying why, the refused full-screen question.

#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32/game_window.h"
#include "platform/win32/gl_window_context.h"
#include "platform/win32/intro_window.h"
#include "platform/win32/win32_platform.h"
#include "render/gl_api.h"
#include "shell/intro_player.h"
#include "tests/support/recording_os.h"

namespace {

// The window and context of the attempt under test, so the test can see
// they were released.
HWND attemptedWindow = nullptr;
HGLRC attemptedContext = nullptr;
HDC WINAPI recordingGetDC(HWND window) { return attemptedWindow = window, GetDC(window); }
HDC WINAPI failingGetDC(HWND window) { return attemptedWindow = window, nullptr; }
HGLRC WINAPI recordingCreateContext(HDC dc) { return attemptedContext = wglCreateContext(dc); }
template <typename Result, typename... Args> Result WINAPI failing(Args...) { return Result{}; }

// One creation with one context step broken: it returns 0 and leaves
// neither its window nor its context.
template <typename Create>
void expectFailedAttemptReleased(void (*breakStep)(), Create create) {
  glContextCalls = platformGlContextCalls;
  glContextCalls.getDeviceContext = recordingGetDC;
  glContextCalls.createContext = recordingCreateContext;
  attemptedWindow = nullptr;
  attemptedContext = nullptr;
  breakStep();
  EXPECT_EQ(create(), 0);
  glContextCalls = platformGlContextCalls;
  ASSERT_NE(attemptedWindow, nullptr);
  EXPECT_FALSE(IsWindow(attemptedWindow));
  // An already deleted context cannot be deleted again.
  EXPECT_TRUE(attemptedContext == nullptr || !wglDeleteContext(attemptedContext)) << "the context is still alive";
}

// Each context step broken as a driver would break it, and what the game
// window then says.
const struct BrokenStep {
  void (*breakStep)();
  const char* message;
} brokenSteps[] = {
    {[] { glContextCalls.getDeviceContext = failingGetDC; }, "Can't Create A GL Device Context."},
    {[] { glContextCalls.choosePixelFormat = failing; }, "Can't Find A Suitable PixelFormat."},
    {[] { glContextCalls.setPixelFormat = failing; }, "Can't Set The PixelFormat."},
    {[] { glContextCalls.createContext = failing; }, "Can't Create A GL Rendering Context."},
    {[] { glContextCalls.makeCurrent = failing; }, "Can't Activate The GL Rendering Context."},
};

constexpr os::BoxStyle exclamation{os::Buttons::ok, os::Icon::exclamation};
using Boxes = std::vector<RecordedMessageBox>;

// A hook that refuses every window this thread creates, the way a system
// out of window handles would.
LRESULT CALLBACK refuseCreation(int code, WPARAM wParam, LPARAM lParam) {
  return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

// A windowed intro window record as the program fills it, with recording OS
// services.
class IntroWindowTest : public ::testing::Test {
 protected:
  ScopedRecordingOs os;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WindowSettings settings{640, 480, 32, 0};
  KeyDownArray keys{};
  IntroWindow record{instance};
  ~IntroWindowTest() override { UnregisterClassA(introWindowClassName, instance); }
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
  EXPECT_TRUE(record.window == nullptr && record.deviceContext == nullptr && record.renderingContext == nullptr);
  EXPECT_EQ(destroyIntroWindow(record), 1);  // nothing left to release

  EXPECT_EQ(registerIntroWindowClass(instance), 0);
  settings = {1013, 587, 32, 1};  // no display offers this
  ASSERT_EQ(createIntroWindow(record, "Brakmoor", settings, keys), 1);
  EXPECT_EQ(settings.fullScreen, 0);
  EXPECT_TRUE(GetWindowLongPtrA(record.window, GWL_STYLE) & WS_CAPTION);
  destroyIntroWindow(record);
  EXPECT_EQ(os->messageBoxes, (Boxes{{"RegisterClassEx Failed!", "Error", exclamation},
                                     {"Mode Switch Failed.\nRunning In Windowed Mode.", "Error", exclamation}}));
}

TEST_F(IntroWindowTest, AFailedCreationReleasesWhatExistsAndReturnsZero) {
  ASSERT_EQ(registerIntroWindowClass(instance), 1);
  for (const BrokenStep& step : brokenSteps) {
    expectFailedAttemptReleased(step.breakStep, [&] { return createIntroWindow(record, "Brakmoor", settings, keys); });
    EXPECT_TRUE(record.window == nullptr && record.deviceContext == nullptr && record.renderingContext == nullptr);
  }
  Win32Platform win32(instance);
  HHOOK hook = SetWindowsHookExA(WH_CBT, refuseCreation, nullptr, GetCurrentThreadId());
  EXPECT_FALSE(win32.createIntroWindow("Brakmoor", settings, keys));
  UnhookWindowsHookEx(hook);
  EXPECT_TRUE(os->messageBoxes.empty());
}

// The intro's message loop carries out the player's F1 through the window's
// queue: the request comes back from the pump and the quit message ends the
// cycle. (That an update ending the intro asks for nothing else is the
// intro player's rule, proved natively.)
TEST_F(IntroWindowTest, TheLoopTogglesOnF1ThroughTheWindowsQueue) {
  Win32Platform win32(instance);
  ASSERT_TRUE(win32.registerIntroWindowClass());
  ASSERT_TRUE(win32.createIntroWindow("Brakmoor", settings, keys));
  IntroPlayer player;
  initIntro(win32, player, &keys);  // no movie here: reported, and a second of black
  player.lastTickCount = win32.tickCount();

  keys.down[VK_F1] = 1;
  RunFlags flags;
  flags.introRunning = 1;
  runIntroLoop(win32, player, flags);
  EXPECT_EQ(flags.introRunning, 1);  // the quit message ended the loop
  EXPECT_EQ(flags.createFullScreen, 1);
  closeIntroMovie(win32);
  win32.destroyIntroWindow();
  win32.unregisterIntroWindowClass();
}

// A class registered without an instance belongs to the program's module.
bool gameClassRegistered() {
  WNDCLASSA windowClass;
  return GetClassInfoA(GetModuleHandleA(nullptr), "Brakmoor", &windowClass) != 0;
}

class GameWindowTest : public ::testing::Test {
 protected:
  ~GameWindowTest() override {
    if (win.gameWindowHandle != nullptr || gameClassRegistered()) killGameWindow(win);
  }
  int create(int width = 640, int height = 480, bool fullScreen = false) {
    return createGameWindow(win, "Brakmoor", width, height, 32, fullScreen);
  }
  void expectNothingLeft() {
    EXPECT_TRUE(win.gameWindowHandle == nullptr && win.gameDeviceContext == nullptr && win.gameRenderingContext == nullptr);
    EXPECT_FALSE(gameClassRegistered());
  }
  ScopedRecordingOs os;
  GameWindow win;
};

// One window's life: shown with its context current, the depth buffer the
// driver gave it as the context reports it (wall pictures 0.001 in front of
// their walls need 24 bits to win the depth test eleven units away, 16 lose
// it a few units off), a valid projection when collapsed, then a release and
// a second one that only reports the class.
TEST_F(GameWindowTest, LivesCollapsesAndIsReleasedTwice) {
  ASSERT_EQ(create(), 1);
  EXPECT_TRUE(IsWindowVisible(win.gameWindowHandle));
  EXPECT_EQ(wglGetCurrentContext(), win.gameRenderingContext);
  GLint contextBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &contextBits);
  EXPECT_GE(contextBits, 24);

  SendMessageA(win.gameWindowHandle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 0));
  GLfloat m[16];
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  EXPECT_NEAR(m[5] / m[0], 800.0, 0.1);  // aspect with the height taken as 1
  EXPECT_NEAR(m[14] / (m[10] - 1.0), 0.1, 1e-4);  // the game's near plane
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[3], 1);

  HWND window = win.gameWindowHandle;
  killGameWindow(win);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  expectNothingLeft();
  killGameWindow(win);
  EXPECT_EQ(os->messageBoxes, (Boxes{{"Could Not Unregister Class.", "SHUTDOWN ERROR", {os::Buttons::ok, os::Icon::information}}}));
  EXPECT_EQ(create(), 1);  // a released window can be created again
}

TEST_F(GameWindowTest, EachFailingStepReleasesWhatExistsAndSaysWhy) {
  for (const BrokenStep& c : brokenSteps) {
    SCOPED_TRACE(c.message);
    os->messageBoxes.clear();
    expectFailedAttemptReleased(c.breakStep, [&] { return create(); });
    // The release comes first and may report its own trouble (a context
    // that never became current cannot be un-made current on every system).
    ASSERT_FALSE(os->messageBoxes.empty());
    EXPECT_EQ(os->messageBoxes.back(), (RecordedMessageBox{c.message, "ERROR", exclamation}));
    for (size_t i = 0; i + 1 < os->messageBoxes.size(); ++i)
      EXPECT_EQ(os->messageBoxes[i].caption, "SHUTDOWN ERROR") << os->messageBoxes[i].text;
    expectNothingLeft();
  }
}

TEST_F(GameWindowTest, ARefusedFullScreenModeAsksGoesOnWindowedOnYesAndEndsOnNo) {
  os->messageBoxAnswers = {os::Answer::yes, os::Answer::no};
  ASSERT_EQ(create(1013, 587, true), 1);  // no display offers this mode
  EXPECT_EQ(win.gameFullScreen, 0);
  EXPECT_TRUE(GetWindowLongPtrA(win.gameWindowHandle, GWL_STYLE) & WS_CAPTION);
  killGameWindow(win);
  EXPECT_EQ(create(1013, 587, true), 0);
  EXPECT_EQ(win.gameWindowHandle, nullptr);
  const RecordedMessageBox question{"The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. "
                                    "Use Windowed Mode Instead?", "GL", {os::Buttons::yesNo, os::Icon::exclamation}};
  EXPECT_EQ(os->messageBoxes,
            (Boxes{question, question, {"Program Will Now Close.", "ERROR", {os::Buttons::ok, os::Icon::stop}}}));
}

TEST_F(GameWindowTest, ARefusedWindowOrClassIsReportedAndLeavesNothing) {
  HHOOK hook = SetWindowsHookExA(WH_CBT, refuseCreation, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  EXPECT_EQ(create(), 0);
  UnhookWindowsHookEx(hook);
  ASSERT_FALSE(os->messageBoxes.empty());
  EXPECT_EQ(os->messageBoxes.back(), (RecordedMessageBox{"Window Creation Error.", "ERROR", exclamation}));
  expectNothingLeft();
  os->messageBoxes.clear();
  // The game's class name, already registered by someone else.
  const WNDCLASSA taken{0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), {}, {}, {}, {}, "Brakmoor"};
  ASSERT_NE(RegisterClassA(&taken), 0);
  EXPECT_EQ(create(), 0);
  EXPECT_EQ(win.gameWindowHandle, nullptr);
  UnregisterClassA("Brakmoor", GetModuleHandleA(nullptr));
  EXPECT_EQ(os->messageBoxes, (Boxes{{"Failed To Register The Window Class.", "ERROR", exclamation}}));
}

}  // namespace
