#include "shell/game_window_win32.h"

#include "game/scene.h"
#include "platform/os_services.h"
#include "shell/gl_window_context_win32.h"
#include "render/scene_projection.h"

HWND gameWindowHandle = nullptr;
HDC gameDeviceContext = nullptr;
HGLRC gameRenderingContext = nullptr;
HINSTANCE gameInstance = nullptr;
unsigned char gameWindowActive = 1;
unsigned char gameFullScreen = 1;

namespace {
constexpr const char* gameClassName = "Brakmoor";

void showCreationError(const char* text, os::Icon icon = os::Icon::exclamation) {
  osServices().messageBox(text, "ERROR", {os::Buttons::ok, icon});
}

void showReleaseError(const char* text) {
  osServices().messageBox(text, "SHUTDOWN ERROR", {os::Buttons::ok, os::Icon::information});
}

// Releases the partial window, then reports the step that failed.
std::int32_t failCreation(const char* text) {
  killGameWindow();
  showCreationError(text);
  return 0;
}

const char* attachFailureText(GlContextStep step) {
  switch (step) {
    case GlContextStep::deviceContext: return "Can't Create A GL Device Context.";
    case GlContextStep::choosePixelFormat: return "Can't Find A Suitable PixelFormat.";
    case GlContextStep::setPixelFormat: return "Can't Set The PixelFormat.";
    case GlContextStep::createContext: return "Can't Create A GL Rendering Context.";
    case GlContextStep::makeCurrent: return "Can't Activate The GL Rendering Context.";
    case GlContextStep::done: break;
  }
  return nullptr;
}

bool registerGameWindowClass() {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = gameWindowProc;
  windowClass.hInstance = gameInstance;
  windowClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32517));      // IDI_WINLOGO
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.lpszClassName = gameClassName;
  return RegisterClassA(&windowClass) != 0;
}

// Switches to the full-screen mode, or asks whether to go on windowed.
// False when the player declines.
bool enterFullScreenOrAsk(int width, int height, int bitsPerPixel) {
  if (requestDisplayMode(width, height, bitsPerPixel)) return true;
  os::Answer answer = osServices().messageBox(
      "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use "
      "Windowed Mode Instead?",
      "GL", {os::Buttons::yesNo, os::Icon::exclamation});
  if (answer == os::Answer::yes) {
    gameFullScreen = 0;
    return true;
  }
  showCreationError("Program Will Now Close.", os::Icon::stop);
  return false;
}
}  // namespace

std::int32_t createGameWindow(const char* title, int width, int height, int bitsPerPixel,
                              bool fullScreen, CollisionModel3D* worldModel,
                              CollisionModel3D* playerBox, CollisionModel3D* secondPlayerBox) {
  RECT rectangle = {0, 0, width, height};
  gameFullScreen = fullScreen ? 1 : 0;
  gameInstance = nullptr;

  if (!registerGameWindowClass()) {
    showCreationError("Failed To Register The Window Class.");
    return 0;
  }
  if (gameFullScreen && !enterFullScreenOrAsk(width, height, bitsPerPixel)) return 0;

  // Hidden once in a window and twice in full screen; killGameWindow shows
  // it once when it leaves full screen.
  ShowCursor(FALSE);
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
  if (gameFullScreen) {
    style = WS_POPUP;
    exStyle = WS_EX_APPWINDOW;
    ShowCursor(FALSE);
  }
  AdjustWindowRectEx(&rectangle, style, FALSE, exStyle);

  gameWindowHandle = CreateWindowExA(
      exStyle, gameClassName, title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
      rectangle.right - rectangle.left, rectangle.bottom - rectangle.top, nullptr,
      nullptr, gameInstance, nullptr);
  if (gameWindowHandle == nullptr) return failCreation("Window Creation Error.");

  GlContextStep failed = attachGlContext(gameWindowHandle, bitsPerPixel,
                                         &gameDeviceContext, &gameRenderingContext);
  if (failed != GlContextStep::done) return failCreation(attachFailureText(failed));

  ShowWindow(gameWindowHandle, SW_SHOW);
  SetForegroundWindow(gameWindowHandle);
  SetFocus(gameWindowHandle);
  resizeGameScene(width, height);

  if (!setupGameScene(worldModel, playerBox, secondPlayerBox))
    return failCreation("Initialization Failed.");
  return 1;
}

void killGameWindow() {
  if (gameFullScreen) {
    restoreDesktopMode();
    ShowCursor(TRUE);
  }
  if (gameRenderingContext != nullptr) {
    if (!wglMakeCurrent(nullptr, nullptr)) showReleaseError("Release Of DC And RC Failed.");
    if (!wglDeleteContext(gameRenderingContext))
      showReleaseError("Release Rendering Context Failed.");
    gameRenderingContext = nullptr;
  }
  if (gameDeviceContext != nullptr) {
    if (!ReleaseDC(gameWindowHandle, gameDeviceContext))
      showReleaseError("Release Device Context Failed.");
    gameDeviceContext = nullptr;
  }
  if (gameWindowHandle != nullptr) {
    if (!DestroyWindow(gameWindowHandle)) showReleaseError("Could Not Release hWnd.");
    gameWindowHandle = nullptr;
  }
  if (!UnregisterClassA(gameClassName, gameInstance)) {
    showReleaseError("Could Not Unregister Class.");
    gameInstance = nullptr;
  }
}

LRESULT CALLBACK gameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      gameWindowActive = HIWORD(wParam) == 0 ? 1 : 0;
      return 0;
    case WM_SYSCOMMAND:
      if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
      break;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      resizeGameScene(LOWORD(lParam), HIWORD(lParam));
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
