#pragma once
// The game window and its OpenGL context.

#include <windows.h>

#include <cstdint>

#include "platform/platform.h"

struct GameWindow {
  HWND gameWindowHandle = nullptr;
  HDC gameDeviceContext = nullptr;
  HGLRC gameRenderingContext = nullptr;
  // The class is registered without a module instance.
  HINSTANCE gameInstance = nullptr;
  // The window is not minimized.
  unsigned char gameWindowActive = 1;
  // The window runs in a changed display mode.
  unsigned char gameFullScreen = 1;
};

// Creates the window and its context, current, with the game's viewport and
// projection. 1 on success; on failure the partial window is released, a
// message is shown and 0 is returned.
std::int32_t createGameWindow(GameWindow& window, const char* title, int width, int height,
                              int bitsPerPixel, bool fullScreen);
// Releases whatever of the game window exists; safe to call again.
void killGameWindow(GameWindow& window);
// Takes and handles at most one pending message of the thread.
os::WindowEvent pumpGameMessage();

LRESULT CALLBACK gameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
