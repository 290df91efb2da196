#pragma once
// The intro window: the record the run sequence fills, the settings chosen in
// the start dialog, the intro's key flags, and the operations that create,
// drive and destroy the window and its OpenGL context.

#include <windows.h>

#include <cstdint>

#include "shell/run_flags.h"
#include "shell/scene_projection.h"

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

// Key-down flags of the intro, indexed by virtual-key code: 1 down, 0 up.
struct KeyDownArray {
  std::int32_t down[256];
};

struct IntroWindow {
  KeyDownArray* keys;
  HWND window;
  HDC deviceContext;
  HGLRC renderingContext;
  WindowSettings settings;
  std::int32_t visible;           // shown and not minimized
  std::uint32_t lastTickCount;    // GetTickCount of the last intro update
};

// The one intro window record of the program.
extern IntroWindow introWindow;

constexpr UINT fullscreenToggleMessage = WM_USER + 1;

// Posts WM_QUIT to the record's window and clears programRunning.
void terminateProgram(IntroWindow* window);
// Posts the full-screen toggle request to the record's window.
void requestFullscreenToggle(IntroWindow* window);

// 1 on success; on failure shows "RegisterClassEx Failed!" and returns 0.
int registerIntroWindowClass(AppInstance* application);
// 1 when the display mode was changed, 0 otherwise.
int changeScreenResolution(int width, int height, int bitsPerPixel);
// 1 on success, 0 on failure (everything created so far is released).
int createIntroWindow(IntroWindow* window);
// Releases what exists and restores the desktop mode when full screen;
// always 1, safe to call again.
int destroyIntroWindow(IntroWindow* window);
LRESULT CALLBACK introWindowProc(HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam);

// The program: start dialog, intro cycles, level, textures, game. Returns the
// process exit code.
int runProgram(HINSTANCE instance);
