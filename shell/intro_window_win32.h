#pragma once
// The intro window: the record the run sequence fills, the settings chosen in
// the start dialog, and the operations that create, drive and destroy the
// window and its OpenGL context.

#include <windows.h>

#include <cstdint>

#include "intro/intro_player.h"
#include "shell/run_flags.h"

struct AppInstance {
  HINSTANCE instance;
  const char* className;  // "BrakmoorIntro"
};

// The display mode chosen in the start dialog; read by both windows.
struct WindowSettings {
  AppInstance* application;
  const char* title;
  std::int32_t width;
  std::int32_t height;
  std::int32_t bitsPerPixel;
  std::int32_t fullScreen;
};

struct IntroWindow {
  KeyDownArray* keys;
  HWND window;
  HDC deviceContext;
  HGLRC renderingContext;
  WindowSettings settings;
  std::int32_t visible;         // shown and not minimized
  std::uint32_t lastTickCount;  // tick count of the last intro update
};

// The one intro window record of the program.
extern IntroWindow introWindow;

constexpr UINT fullscreenToggleMessage = WM_USER + 1;

// Posts WM_QUIT to the record's window and clears programRunning.
void terminateProgram(IntroWindow* window);
// Posts the full-screen toggle request to the record's window.
void requestFullscreenToggle(IntroWindow* window);

// 1 on success; on failure shows "RegisterClassEx Failed!" and returns 0.
std::int32_t registerIntroWindowClass(AppInstance* application);
// 1 when the display mode was changed, 0 otherwise.
std::int32_t changeScreenResolution(int width, int height, int bitsPerPixel);
// 1 on success, 0 on failure (everything created so far is released).
std::int32_t createIntroWindow(IntroWindow* window);
// Releases what exists and restores the desktop mode when full screen;
// always 1, safe to call again.
std::int32_t destroyIntroWindow(IntroWindow* window);
LRESULT CALLBACK introWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Pumps the window's messages and plays the intro while introRunning equals
// 1, until then or until the quit message. An update that ends the intro
// asks for nothing more: a full-screen request made with it would outlive
// the intro.
void runIntroLoop(IntroWindow* window);
