// The game window on Wine: creation, release and a second release, each
// failing creation step releasing what exists and saying why, the refused
// full-screen question, a collapsed window and the depth buffer granted.

#include <gtest/gtest.h>

#include <cmath>

#include "render/gl_api.h"
#include "platform/win32/game_window.h"
#include "platform/win32/gl_window_context.h"
#include "tests/support/recording_os.h"

namespace {

// A class registered without an instance belongs to the program's module.
bool gameClassRegistered() {
  WNDCLASSA windowClass;
  return GetClassInfoA(GetModuleHandleA(nullptr), "Brakmoor", &windowClass) != 0;
}

class GameWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GetCurrentDirectoryA(sizeof previousFolder, previousFolder);
    ASSERT_TRUE(SetCurrentDirectoryA(BRAKMOOR_DATA_DIR)) << BRAKMOOR_DATA_DIR;
  }
  void TearDown() override {
    glContextCalls = platformGlContextCalls;
    if (win.gameWindowHandle != nullptr || gameClassRegistered()) killGameWindow(win);
    SetCurrentDirectoryA(previousFolder);
  }
  int create(int width = 640, int height = 480, bool fullScreen = false) {
    return createGameWindow(win, "Brakmoor", width, height, 32, fullScreen);
  }
  void expectBox(size_t i, const char* text, const char* caption, os::BoxStyle style) {
    ASSERT_LT(i, os->messageBoxes.size());
    EXPECT_EQ(os->messageBoxes[i].text, text);
    EXPECT_EQ(os->messageBoxes[i].caption, caption);
    EXPECT_EQ(os->messageBoxes[i].style, style);
  }
  void expectNothingLeft() {
    EXPECT_EQ(win.gameWindowHandle, nullptr);
    EXPECT_EQ(win.gameDeviceContext, nullptr);
    EXPECT_EQ(win.gameRenderingContext, nullptr);
    EXPECT_FALSE(gameClassRegistered());
  }
  ScopedRecordingOs os;
  GameWindow win;
  char previousFolder[MAX_PATH] = {};
};

TEST_F(GameWindowTest, CreateKillAndASecondKillThatOnlyReportsTheClass) {
  ASSERT_EQ(create(), 1);
  EXPECT_TRUE(IsWindowVisible(win.gameWindowHandle));
  EXPECT_EQ(wglGetCurrentContext(), win.gameRenderingContext);

  HWND window = win.gameWindowHandle;
  killGameWindow(win);
  EXPECT_TRUE(os->messageBoxes.empty());
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  expectNothingLeft();
  killGameWindow(win);
  ASSERT_EQ(os->messageBoxes.size(), 1u);
  expectBox(0, "Could Not Unregister Class.", "SHUTDOWN ERROR", os::BoxStyle{os::Buttons::ok, os::Icon::information});
  EXPECT_EQ(create(), 1);  // a released window can be created again
}

// The window behind the attempt under test and the context it created, so
// the test can see they were released.
HWND attemptedWindow = nullptr;
HGLRC attemptedContext = nullptr;
HDC WINAPI recordingGetDC(HWND window) { return attemptedWindow = window, GetDC(window); }
HDC WINAPI failingGetDC(HWND window) { return attemptedWindow = window, nullptr; }
int WINAPI failingChoosePixelFormat(HDC, const PIXELFORMATDESCRIPTOR*) { return 0; }
BOOL WINAPI failingSetPixelFormat(HDC, int, const PIXELFORMATDESCRIPTOR*) { return FALSE; }
HGLRC WINAPI failingCreateContext(HDC) { return nullptr; }
HGLRC WINAPI recordingCreateContext(HDC dc) { return attemptedContext = wglCreateContext(dc); }
BOOL WINAPI failingMakeCurrent(HDC, HGLRC) { return FALSE; }

TEST_F(GameWindowTest, EachFailingStepReleasesWhatExistsAndSaysWhy) {
  const struct Case {
    void (*breakStep)();
    const char* message;
  } cases[] = {
      {[] { glContextCalls.getDeviceContext = failingGetDC; }, "Can't Create A GL Device Context."},
      {[] { glContextCalls.choosePixelFormat = failingChoosePixelFormat; },
       "Can't Find A Suitable PixelFormat."},
      {[] { glContextCalls.setPixelFormat = failingSetPixelFormat; }, "Can't Set The PixelFormat."},
      {[] { glContextCalls.createContext = failingCreateContext; },
       "Can't Create A GL Rendering Context."},
      {[] { glContextCalls.makeCurrent = failingMakeCurrent; },
       "Can't Activate The GL Rendering Context."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    os->messageBoxes.clear();
    attemptedWindow = nullptr;
    attemptedContext = nullptr;
    glContextCalls = platformGlContextCalls;
    glContextCalls.getDeviceContext = recordingGetDC;
    glContextCalls.createContext = recordingCreateContext;
    c.breakStep();
    EXPECT_EQ(create(), 0);
    // The release comes first and may report its own trouble (a context
    // that never became current cannot be un-made current on every system).
    ASSERT_FALSE(os->messageBoxes.empty());
    expectBox(os->messageBoxes.size() - 1, c.message, "ERROR", os::BoxStyle{os::Buttons::ok, os::Icon::exclamation});
    for (size_t i = 0; i + 1 < os->messageBoxes.size(); ++i)
      EXPECT_EQ(os->messageBoxes[i].caption, "SHUTDOWN ERROR") << os->messageBoxes[i].text;
    ASSERT_NE(attemptedWindow, nullptr);
    EXPECT_FALSE(IsWindow(attemptedWindow));
    // An already deleted context cannot be deleted again.
    EXPECT_TRUE(attemptedContext == nullptr || !wglDeleteContext(attemptedContext));
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
  ASSERT_EQ(os->messageBoxes.size(), 3u);
  for (size_t i : {0u, 1u})
    expectBox(i, "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. "
              "Use Windowed Mode Instead?", "GL", os::BoxStyle{os::Buttons::yesNo, os::Icon::exclamation});
  expectBox(2, "Program Will Now Close.", "ERROR", os::BoxStyle{os::Buttons::ok, os::Icon::stop});
}

TEST_F(GameWindowTest, ACollapsedWindowKeepsAValidProjection) {
  ASSERT_EQ(create(), 1);
  SendMessageA(win.gameWindowHandle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 0));
  GLfloat m[16];
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  for (GLfloat value : m) EXPECT_TRUE(std::isfinite(value));
  EXPECT_NEAR(m[5] / m[0], 800.0, 0.1);  // aspect with the height taken as 1
  EXPECT_NEAR(m[14] / (m[10] - 1.0), 0.1, 1e-4);  // the game's near plane
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[3], 1);
}

// What the driver gave the game window, as its pixel format and as the
// context reports it. Wall pictures 0.001 in front of their walls need 24
// bits to win the depth test eleven units away (16 lose it a few units off).
TEST_F(GameWindowTest, GetsADepthBufferDeepEnoughForWallPictures) {
  ASSERT_EQ(create(), 1);
  PIXELFORMATDESCRIPTOR granted{};
  ASSERT_NE(DescribePixelFormat(win.gameDeviceContext, GetPixelFormat(win.gameDeviceContext), sizeof granted, &granted), 0);
  GLint contextBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &contextBits);
  EXPECT_GE(int{granted.cDepthBits}, 24);
  EXPECT_GE(contextBits, 24);
}

// A hook that refuses every window this thread creates, the way a system
// out of window handles would.
LRESULT CALLBACK refuseCreation(int code, WPARAM wParam, LPARAM lParam) {
  return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(GameWindowTest, ARefusedWindowOrClassIsReportedAndLeavesNothing) {
  HHOOK hook = SetWindowsHookExA(WH_CBT, refuseCreation, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  EXPECT_EQ(create(), 0);
  UnhookWindowsHookEx(hook);
  ASSERT_FALSE(os->messageBoxes.empty());
  expectBox(os->messageBoxes.size() - 1, "Window Creation Error.", "ERROR", os::BoxStyle{os::Buttons::ok, os::Icon::exclamation});
  expectNothingLeft();
  os->messageBoxes.clear();
  WNDCLASSA taken{};  // the game's class name, already registered by someone else
  taken.lpfnWndProc = DefWindowProcA;
  taken.hInstance = GetModuleHandleA(nullptr);
  taken.lpszClassName = "Brakmoor";
  ASSERT_NE(RegisterClassA(&taken), 0);
  EXPECT_EQ(create(), 0);
  EXPECT_EQ(win.gameWindowHandle, nullptr);
  UnregisterClassA("Brakmoor", GetModuleHandleA(nullptr));
  ASSERT_EQ(os->messageBoxes.size(), 1u);
  expectBox(0, "Failed To Register The Window Class.", "ERROR", os::BoxStyle{os::Buttons::ok, os::Icon::exclamation});
}

}  // namespace
