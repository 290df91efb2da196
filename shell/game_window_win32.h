#pragma once
// Win32 handles of the game window, for the game loop and the tests.

#include <windows.h>

#include "shell/game_window.h"

extern HWND gameWindowHandle;
extern HDC gameDeviceContext;
extern HGLRC gameRenderingContext;
extern HINSTANCE gameInstance;

LRESULT CALLBACK gameWindowProc(HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam);
