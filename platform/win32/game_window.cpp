#include "platform/win32/game_window.h"

#include "platform/win32/gl_window_context.h"
#include "render/scene_projection.h"

namespace {
constexpr const char* gameClassName = "Brakmoor";

void showCreationError(const char* text, os::Icon icon = os::Icon::exclamation) {
  osServices().messageBox(text, "ERROR", {os::Buttons::ok, icon});
}

void showReleaseError(const char* text) {
  osServices().messageBox(text, "SHUTDOWN ERROR", {os::Buttons::ok, os::Icon::information});
}

// The window procedure finds its record through the window's user data,
// set from the creation parameter.
GameWindow* recordOf(HWND window) {
  return reinterpret_cast<GameWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Releases the partial window, then reports the step that failed.
std::int32_t failCreation(GameWindow& window, const char* text) {
  killGameWindow(window);
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

bool registerGameWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = gameWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32517));      // IDI_WINLOGO
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.lpszClassName = gameClassName;
  return RegisterClassA(&windowClass) != 0;
}

// Switches to the full-screen mode, or asks whether to go on windowed.
// False when the player declines.
bool enterFullScreenOrAsk(GameWindow& window, int width, int height, int bitsPerPixel) {
  if (requestDisplayMode(width, height, bitsPerPixel)) return true;
  os::Answer answer = osServices().messageBox(
      "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use "
      "Windowed Mode Instead?",
      "GL", {os::Buttons::yesNo, os::Icon::exclamation});
  if (answer == os::Answer::yes) {
    window.gameFullScreen = 0;
    return true;
  }
  showCreationError("Program Will Now Close.", os::Icon::stop);
  return false;
}
}  // namespace

std::int32_t createGameWindow(GameWindow& window, const char* title, int width, int height,
                              int bitsPerPixel, bool fullScreen) {
  RECT rectangle = {0, 0, width, height};
  window.gameFullScreen = fullScreen ? 1 : 0;
  window.gameInstance = nullptr;

  if (!registerGameWindowClass(window.gameInstance)) {
    showCreationError("Failed To Register The Window Class.");
    return 0;
  }
  if (window.gameFullScreen && !enterFullScreenOrAsk(window, width, height, bitsPerPixel)) {
    return 0;
  }

  // Hidden once in a window and twice in full screen; killGameWindow shows
  // it once when it leaves full screen.
  ShowCursor(FALSE);
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
  if (window.gameFullScreen) {
    style = WS_POPUP;
    exStyle = WS_EX_APPWINDOW;
    ShowCursor(FALSE);
  }
  AdjustWindowRectEx(&rectangle, style, FALSE, exStyle);

  window.gameWindowHandle = CreateWindowExA(
      exStyle, gameClassName, title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
      rectangle.right - rectangle.left, rectangle.bottom - rectangle.top, nullptr, nullptr,
      window.gameInstance, &window);
  if (window.gameWindowHandle == nullptr) return failCreation(window, "Window Creation Error.");

  GlContextStep failed = attachGlContext(window.gameWindowHandle, bitsPerPixel,
                                         &window.gameDeviceContext, &window.gameRenderingContext);
  if (failed != GlContextStep::done) return failCreation(window, attachFailureText(failed));

  ShowWindow(window.gameWindowHandle, SW_SHOW);
  SetForegroundWindow(window.gameWindowHandle);
  SetFocus(window.gameWindowHandle);
  resizeGameScene(width, height);
  return 1;
}

void killGameWindow(GameWindow& window) {
  if (window.gameFullScreen) {
    restoreDesktopMode();
    ShowCursor(TRUE);
  }
  if (window.gameRenderingContext != nullptr) {
    if (!wglMakeCurrent(nullptr, nullptr)) showReleaseError("Release Of DC And RC Failed.");
    if (!wglDeleteContext(window.gameRenderingContext))
      showReleaseError("Release Rendering Context Failed.");
    window.gameRenderingContext = nullptr;
  }
  if (window.gameDeviceContext != nullptr) {
    if (!ReleaseDC(window.gameWindowHandle, window.gameDeviceContext))
      showReleaseError("Release Device Context Failed.");
    window.gameDeviceContext = nullptr;
  }
  if (window.gameWindowHandle != nullptr) {
    if (!DestroyWindow(window.gameWindowHandle)) showReleaseError("Could Not Release hWnd.");
    window.gameWindowHandle = nullptr;
  }
  if (!UnregisterClassA(gameClassName, window.gameInstance)) {
    showReleaseError("Could Not Unregister Class.");
    window.gameInstance = nullptr;
  }
}

os::WindowEvent pumpGameMessage() {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return os::WindowEvent::none;
  if (message.message == WM_QUIT) return os::WindowEvent::quit;
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return os::WindowEvent::handled;
}

LRESULT CALLBACK gameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* creation = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  GameWindow* record = recordOf(window);
  switch (message) {
    case WM_ACTIVATE:
      if (record != nullptr) record->gameWindowActive = HIWORD(wParam) == 0 ? 1 : 0;
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
