#pragma once
// The intro window: a window of the chosen size with an OpenGL context, its
// key-down flags and its message pump. What the intro shows and when it ends
// is decided by the portable run order; this window only reports what
// happened to it.

#include <windows.h>

#include <cstdint>

#include "platform/platform.h"

constexpr const char* introWindowClassName = "BrakmoorIntro";
constexpr UINT fullscreenToggleMessage = WM_USER + 1;

struct IntroWindow {
  HINSTANCE instance = nullptr;
  KeyDownArray* keys = nullptr;
  HWND window = nullptr;
  HDC deviceContext = nullptr;
  HGLRC renderingContext = nullptr;
  // The display mode was changed for this window (restored on destruction).
  std::int32_t fullScreen = 0;
  std::int32_t visible = 0;  // shown and not minimized
  // The player asked to close the window while a message was handled.
  bool closeRequested = false;
};

// 1 on success; on failure shows "RegisterClassEx Failed!" and returns 0.
std::int32_t registerIntroWindowClass(HINSTANCE instance);
// 1 when the display mode was changed, 0 otherwise.
std::int32_t changeScreenResolution(int width, int height, int bitsPerPixel);
// 1 on success, 0 on failure (everything created so far is released). A
// full-screen mode that cannot be set is reported and settings.fullScreen
// cleared.
std::int32_t createIntroWindow(IntroWindow& window, const char* title, WindowSettings& settings,
                               KeyDownArray& keys);
// Releases what exists and restores the desktop mode when full screen;
// always 1, safe to call again.
std::int32_t destroyIntroWindow(IntroWindow& window);
// Takes and handles at most one of the window's messages.
os::WindowEvent pumpIntroMessage(IntroWindow& window);
LRESULT CALLBACK introWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
