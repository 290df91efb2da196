#pragma once
// The game window and its OpenGL context, with the Win32 handles the game
// loop and the tests use.

#include <windows.h>

#include <cstdint>

class CollisionModel3D;

extern HWND gameWindowHandle;
extern HDC gameDeviceContext;
extern HGLRC gameRenderingContext;
extern HINSTANCE gameInstance;

// The window is not minimized.
extern unsigned char gameWindowActive;
// The window runs in a changed display mode.
extern unsigned char gameFullScreen;

// Creates the window, its context and the game scene (setupGameScene gets the
// three models). 1 on success; on failure the partial window is released, a
// message is shown and 0 is returned.
std::int32_t createGameWindow(const char* title, int width, int height, int bitsPerPixel,
                              bool fullScreen, CollisionModel3D* worldModel,
                              CollisionModel3D* playerBox, CollisionModel3D* secondPlayerBox);
// Releases whatever of the game window exists; safe to call again.
void killGameWindow();

LRESULT CALLBACK gameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
