#include "platform/win32/intro_window.h"

#include "platform/win32/gl_window_context.h"
#include "render/scene_projection.h"

namespace {
constexpr DWORD introWindowedStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD introWindowedExStyle = WS_EX_APPWINDOW;
constexpr DWORD introFullScreenStyle = WS_POPUP;
constexpr DWORD introFullScreenExStyle = WS_EX_APPWINDOW | WS_EX_TOPMOST;

void showIntroError(const char* text) {
  osServices().messageBox(text, "Error", {os::Buttons::ok, os::Icon::exclamation});
}

// The window procedure finds its record through the window's user data,
// set from the creation parameter.
IntroWindow* recordOf(HWND window) {
  return reinterpret_cast<IntroWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Releases the window's context, device context and window, newest first,
// forgetting each handle.
void releaseIntroWindow(IntroWindow& window) {
  if (window.deviceContext != nullptr) wglMakeCurrent(window.deviceContext, nullptr);
  if (window.renderingContext != nullptr) {
    wglDeleteContext(window.renderingContext);
    window.renderingContext = nullptr;
  }
  if (window.deviceContext != nullptr) {
    ReleaseDC(window.window, window.deviceContext);
    window.deviceContext = nullptr;
  }
  DestroyWindow(window.window);
  window.window = nullptr;
}

void setKeyFlag(IntroWindow* record, WPARAM key, std::int32_t down) {
  record->keys->down[key] = down;
}
}  // namespace

std::int32_t registerIntroWindowClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = introWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE);
  windowClass.lpszClassName = introWindowClassName;
  if (RegisterClassExA(&windowClass) == 0) {
    showIntroError("RegisterClassEx Failed!");
    return 0;
  }
  return 1;
}

std::int32_t changeScreenResolution(int width, int height, int bitsPerPixel) {
  return requestDisplayMode(width, height, bitsPerPixel) ? 1 : 0;
}

std::int32_t createIntroWindow(IntroWindow& window, const char* title, WindowSettings& settings,
                               KeyDownArray& keys) {
  window.keys = &keys;
  window.closeRequested = false;
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
  window.fullScreen = settings.fullScreen;

  window.window = CreateWindowExA(exStyle, introWindowClassName, title, style, 0, 0,
                                  rectangle.right - rectangle.left,
                                  rectangle.bottom - rectangle.top, nullptr, nullptr,
                                  window.instance, &window);
  if (window.window == nullptr) return 0;

  if (attachGlContext(window.window, settings.bitsPerPixel, &window.deviceContext,
                      &window.renderingContext) != GlContextStep::done) {
    releaseIntroWindow(window);
    return 0;
  }

  ShowWindow(window.window, SW_NORMAL);
  window.visible = 1;
  resizeIntroScene(settings.width, settings.height);
  for (std::int32_t& flag : keys.down) flag = 0;
  return 1;
}

std::int32_t destroyIntroWindow(IntroWindow& window) {
  if (window.window != nullptr) releaseIntroWindow(window);
  if (window.fullScreen != 0) {
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
      record->closeRequested = true;
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
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// WM_CLOSE may arrive as a sent message inside PeekMessageA as well as
// inside a dispatch, so the request is looked at after both.
os::WindowEvent pumpIntroMessage(IntroWindow& window) {
  MSG message;
  os::WindowEvent event = os::WindowEvent::none;
  if (PeekMessageA(&message, window.window, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return os::WindowEvent::quit;
    if (message.message == fullscreenToggleMessage) {
      return os::WindowEvent::fullScreenToggleRequested;
    }
    DispatchMessageA(&message);
    event = os::WindowEvent::handled;
  }
  if (window.closeRequested) {
    window.closeRequested = false;
    event = os::WindowEvent::closeRequested;
  }
  return event;
}
