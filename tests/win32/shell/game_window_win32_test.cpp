// The game window on Wine: creation in the data folder, release and a second
// release, each failing creation step releasing what exists, the refused
// full-screen question, the window procedure and a collapsed window.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "render/gl_api.h"
#include "shell/game_window_win32.h"
#include "shell/gl_window_context_win32.h"
#include "tests/support/recording_os.h"

namespace {

constexpr unsigned creationErrorStyle = os::boxOk | os::boxIconExclamation;
constexpr unsigned releaseErrorStyle = os::boxOk | os::boxIconInformation;

// Runs a test in a chosen working folder and puts the old one back.
class ScopedWorkingFolder {
 public:
  explicit ScopedWorkingFolder(const char* folder) {
    GetCurrentDirectoryA(sizeof previous_, previous_);
    changed_ = SetCurrentDirectoryA(folder) != 0;
  }
  ~ScopedWorkingFolder() { SetCurrentDirectoryA(previous_); }
  bool changed() const { return changed_; }

 private:
  char previous_[MAX_PATH] = {};
  bool changed_ = false;
};

// A class registered without an instance belongs to the program's module.
bool gameClassRegistered() {
  WNDCLASSA windowClass;
  return GetClassInfoA(GetModuleHandleA(nullptr), "Brakmoor", &windowClass) != 0;
}

class GameWindow : public ::testing::Test {
 protected:
  void TearDown() override {
    glContextCalls = platformGlContextCalls;
    if (gameWindowHandle != nullptr || gameClassRegistered()) killGameWindow();
  }
  int create(int width = 640, int height = 480, bool fullScreen = false) {
    return createGameWindow("Brakmoor", width, height, 32, fullScreen, nullptr, nullptr,
                            nullptr);
  }
  void expectNothingLeft() {
    EXPECT_EQ(gameWindowHandle, nullptr);
    EXPECT_EQ(gameDeviceContext, nullptr);
    EXPECT_EQ(gameRenderingContext, nullptr);
    EXPECT_FALSE(gameClassRegistered());
  }
  ScopedRecordingOs os;
  ScopedWorkingFolder dataFolder{BRAKMOOR_DATA_DIR};
};

TEST_F(GameWindow, CreateKillAndASecondKillThatOnlyReportsTheClass) {
  ASSERT_TRUE(dataFolder.changed()) << BRAKMOOR_DATA_DIR;
  ASSERT_EQ(create(), 1);
  ASSERT_NE(gameWindowHandle, nullptr);
  EXPECT_TRUE(IsWindowVisible(gameWindowHandle));
  EXPECT_EQ(wglGetCurrentContext(), gameRenderingContext);
  EXPECT_EQ(gameFullScreen, 0);
  RECT client;
  GetClientRect(gameWindowHandle, &client);
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom, 480);
  char title[64];
  GetWindowTextA(gameWindowHandle, title, sizeof title);
  EXPECT_STREQ(title, "Brakmoor");

  HWND window = gameWindowHandle;
  killGameWindow();
  EXPECT_TRUE(os->messageBoxes.empty());
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  expectNothingLeft();

  killGameWindow();
  ASSERT_EQ(os->messageBoxes.size(), 1u);
  EXPECT_EQ(os->messageBoxes[0].text, "Could Not Unregister Class.");
  EXPECT_EQ(os->messageBoxes[0].caption, "SHUTDOWN ERROR");
  EXPECT_EQ(os->messageBoxes[0].style, releaseErrorStyle);
  EXPECT_EQ(os->messageBoxes[0].owner, nullptr);

  // A released window can be created again.
  EXPECT_EQ(create(), 1);
}

// The window handle behind the device context of the attempt under test, and
// the context it created, so the test can see they were released.
HWND attemptedWindow = nullptr;
HGLRC attemptedContext = nullptr;

HDC WINAPI recordingGetDC(HWND window) {
  attemptedWindow = window;
  return GetDC(window);
}
HDC WINAPI failingGetDC(HWND window) {
  attemptedWindow = window;
  return nullptr;
}
int WINAPI failingChoosePixelFormat(HDC, const PIXELFORMATDESCRIPTOR*) { return 0; }
BOOL WINAPI failingSetPixelFormat(HDC, int, const PIXELFORMATDESCRIPTOR*) { return FALSE; }
HGLRC WINAPI failingCreateContext(HDC) { return nullptr; }
HGLRC WINAPI recordingCreateContext(HDC deviceContext) {
  attemptedContext = wglCreateContext(deviceContext);
  return attemptedContext;
}
BOOL WINAPI failingMakeCurrent(HDC, HGLRC) { return FALSE; }

TEST_F(GameWindow, EachFailingContextStepReleasesWhatExistsAndSaysWhy) {
  struct Case {
    void (*breakStep)();
    const char* message;
  };
  const Case cases[] = {
      {[] { glContextCalls.getDeviceContext = failingGetDC; },
       "Can't Create A GL Device Context."},
      {[] { glContextCalls.choosePixelFormat = failingChoosePixelFormat; },
       "Can't Find A Suitable PixelFormat."},
      {[] { glContextCalls.setPixelFormat = failingSetPixelFormat; },
       "Can't Set The PixelFormat."},
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
    EXPECT_EQ(os->messageBoxes.back().text, c.message);
    EXPECT_EQ(os->messageBoxes.back().caption, "ERROR");
    EXPECT_EQ(os->messageBoxes.back().style, creationErrorStyle);
    for (size_t i = 0; i + 1 < os->messageBoxes.size(); ++i)
      EXPECT_EQ(os->messageBoxes[i].caption, "SHUTDOWN ERROR") << os->messageBoxes[i].text;
    ASSERT_NE(attemptedWindow, nullptr);
    EXPECT_FALSE(IsWindow(attemptedWindow));
    if (attemptedContext != nullptr) {
      // Already deleted: making it current again must fail.
      EXPECT_FALSE(wglDeleteContext(attemptedContext));
    }
    expectNothingLeft();
  }
}

TEST_F(GameWindow, ASceneThatCannotLoadItsTexturesIsReportedAfterTheRelease) {
  ScopedWorkingFolder emptyFolder{BRAKMOOR_SOURCE_DIR "/shell"};
  ASSERT_TRUE(emptyFolder.changed());
  glContextCalls.getDeviceContext = recordingGetDC;
  EXPECT_EQ(create(), 0);
  ASSERT_FALSE(os->messageBoxes.empty());
  EXPECT_EQ(os->messageBoxes.back().text, "Initialization Failed.");
  EXPECT_EQ(os->messageBoxes.back().caption, "ERROR");
  EXPECT_EQ(os->messageBoxes.back().style, creationErrorStyle);
  EXPECT_FALSE(IsWindow(attemptedWindow));
  expectNothingLeft();
}

TEST_F(GameWindow, ARefusedFullScreenModeAsksAndGoesOnWindowedOnYes) {
  ASSERT_TRUE(dataFolder.changed());
  // No display offers this mode.
  os->messageBoxAnswers = {os::answerYes};
  ASSERT_EQ(create(1013, 587, true), 1);
  ASSERT_EQ(os->messageBoxes.size(), 1u);
  EXPECT_EQ(os->messageBoxes[0].text,
            "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. "
            "Use Windowed Mode Instead?");
  EXPECT_EQ(os->messageBoxes[0].caption, "GL");
  EXPECT_EQ(os->messageBoxes[0].style, os::boxYesNo | os::boxIconExclamation);
  EXPECT_EQ(gameFullScreen, 0);
  EXPECT_TRUE(GetWindowLongPtrA(gameWindowHandle, GWL_STYLE) & WS_CAPTION);
}

TEST_F(GameWindow, ARefusedFullScreenModeEndsOnNo) {
  os->messageBoxAnswers = {os::answerNo};
  EXPECT_EQ(create(1013, 587, true), 0);
  ASSERT_EQ(os->messageBoxes.size(), 2u);
  EXPECT_EQ(os->messageBoxes[1].text, "Program Will Now Close.");
  EXPECT_EQ(os->messageBoxes[1].caption, "ERROR");
  EXPECT_EQ(os->messageBoxes[1].style, os::boxOk | os::boxIconStop);
  EXPECT_EQ(gameWindowHandle, nullptr);
  EXPECT_TRUE(gameClassRegistered());  // released by the next kill
}

TEST_F(GameWindow, WindowProcedureTracksActivationAndQuitsOnClose) {
  ASSERT_TRUE(dataFolder.changed());
  ASSERT_EQ(create(), 1);
  gameWindowProc(gameWindowHandle, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1), 0);
  EXPECT_EQ(gameWindowActive, 0);  // minimized
  gameWindowProc(gameWindowHandle, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  EXPECT_EQ(gameWindowActive, 1);

  MSG message;
  EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  EXPECT_EQ(SendMessageA(gameWindowHandle, WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(IsWindow(gameWindowHandle));  // closing only asks the loop to end
  EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(GameWindow, ACollapsedWindowKeepsAValidProjection) {
  ASSERT_TRUE(dataFolder.changed());
  ASSERT_EQ(create(), 1);
  SendMessageA(gameWindowHandle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 0));
  GLfloat m[16];
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  for (GLfloat value : m) EXPECT_TRUE(std::isfinite(value));
  EXPECT_NEAR(m[5] / m[0], 800.0, 0.1);  // aspect with the height taken as 1
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 1);
}

}  // namespace
