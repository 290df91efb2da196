#include "shell/intro_window_win32.h"

#include "platform/os_services.h"
#include "shell/gl_window_context_win32.h"
#include "render/scene_projection.h"

IntroWindow introWindow = {};

namespace {
constexpr DWORD introWindowedStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD introWindowedExStyle = WS_EX_APPWINDOW;
constexpr DWORD introFullScreenStyle = WS_POPUP;
constexpr DWORD introFullScreenExStyle = WS_EX_APPWINDOW | WS_EX_TOPMOST;

void showIntroError(const char* text) {
  osServices().messageBox(text, "Error", {os::Buttons::ok, os::Icon::exclamation});
}

IntroWindow* recordOf(HWND window) {
  return reinterpret_cast<IntroWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Releases the window's context, device context and window, newest first,
// forgetting each handle.
void releaseIntroWindow(IntroWindow* window) {
  if (window->deviceContext != nullptr) wglMakeCurrent(window->deviceContext, nullptr);
  if (window->renderingContext != nullptr) {
    wglDeleteContext(window->renderingContext);
    window->renderingContext = nullptr;
  }
  if (window->deviceContext != nullptr) {
    ReleaseDC(window->window, window->deviceContext);
    window->deviceContext = nullptr;
  }
  DestroyWindow(window->window);
  window->window = nullptr;
}

void setKeyFlag(IntroWindow* record, WPARAM key, std::int32_t down) {
  record->keys->down[key] = down;
}
}  // namespace

void terminateProgram(IntroWindow* window) {
  PostMessageA(window->window, WM_QUIT, 0, 0);
  programRunning = 0;
}

void requestFullscreenToggle(IntroWindow* window) {
  PostMessageA(window->window, fullscreenToggleMessage, 0, 0);
}

std::int32_t registerIntroWindowClass(AppInstance* application) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = introWindowProc;
  windowClass.hInstance = application->instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE);
  windowClass.lpszClassName = application->className;
  if (RegisterClassExA(&windowClass) == 0) {
    showIntroError("RegisterClassEx Failed!");
    return 0;
  }
  return 1;
}

std::int32_t changeScreenResolution(int width, int height, int bitsPerPixel) {
  return requestDisplayMode(width, height, bitsPerPixel) ? 1 : 0;
}

std::int32_t createIntroWindow(IntroWindow* window) {
  WindowSettings& settings = window->settings;
  RECT rectangle = {0, 0, settings.width, settings.height};
  DWORD style = introWindowedStyle;
  DWORD exStyle = introWindowedExStyle;
  if (settings.fullScreen == 1) {
    if (changeScreenResolution(settings.width, settings.height, settings.bitsPerPixel)) {
      ShowCursor(FALSE);
      style = introFullScreenStyle;
      exStyle = introFullScreenExStyle;
    } else {
      // The rectangle is not enlarged for the frame here, so the client
      // area ends up smaller than requested; players know it this way.
      showIntroError("Mode Switch Failed.\nRunning In Windowed Mode.");
      settings.fullScreen = 0;
    }
  } else {
    AdjustWindowRectEx(&rectangle, style, FALSE, exStyle);
  }

  window->window =
      CreateWindowExA(exStyle, settings.application->className, settings.title, style, 0, 0,
                      rectangle.right - rectangle.left, rectangle.bottom - rectangle.top, nullptr,
                      nullptr, settings.application->instance, window);
  if (window->window == nullptr) return 0;

  if (attachGlContext(window->window, settings.bitsPerPixel, &window->deviceContext,
                      &window->renderingContext) != GlContextStep::done) {
    releaseIntroWindow(window);
    return 0;
  }

  ShowWindow(window->window, SW_NORMAL);
  window->visible = 1;
  resizeIntroScene(settings.width, settings.height);
  for (std::int32_t& flag : window->keys->down) flag = 0;
  window->lastTickCount = osServices().tickCount();
  return 1;
}

std::int32_t destroyIntroWindow(IntroWindow* window) {
  if (window->window != nullptr) releaseIntroWindow(window);
  if (window->settings.fullScreen != 0) {
    restoreDesktopMode();
    ShowCursor(TRUE);
  }
  return 1;
}

LRESULT CALLBACK introWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    auto* creation = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    return 0;
  }
  IntroWindow* record = recordOf(window);
  // Messages before WM_CREATE find no record yet.
  if (record == nullptr) return DefWindowProcA(window, message, wParam, lParam);

  switch (message) {
    case WM_SYSCOMMAND:
      // Only the exact commands: the screen saver and monitor power-off are
      // kept away while the intro plays.
      if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
      break;
    case WM_CLOSE:
      terminateProgram(record);
      return 0;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) {
        record->visible = 0;
        return 0;
      }
      if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
        record->visible = 1;
        resizeIntroScene(LOWORD(lParam), HIWORD(lParam));
        return 0;
      }
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (wParam <= 255) {
        setKeyFlag(record, wParam, message == WM_KEYDOWN ? 1 : 0);
        return 0;
      }
      break;
    case fullscreenToggleMessage:
      createFullScreen = createFullScreen == 1 ? 0 : 1;
      PostMessageA(window, WM_QUIT, 0, 0);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void runIntroLoop(IntroWindow* window) {
  while (introRunning == 1) {
    MSG message;
    if (PeekMessageA(&message, window->window, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) break;
      DispatchMessageA(&message);
    } else if (window->visible == 0) {
      WaitMessage();
    } else {
      std::uint32_t now = osServices().tickCount();
      IntroRequest request = updateIntro(now - window->lastTickCount);
      window->lastTickCount = now;
      if (request == IntroRequest::end) endIntro();
      if (request == IntroRequest::fullScreenToggle) requestFullscreenToggle(window);
      drawIntro();
      SwapBuffers(window->deviceContext);
    }
  }
}
