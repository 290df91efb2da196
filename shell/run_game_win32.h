#pragma once
// The Win32 game: the game window, the keyboard device and the game loop
// (game/game_loop.h) with runFrame.

#include <windows.h>

#include <cstdint>

class CollisionModel3D;

// 0 when the window or the keyboard cannot be started (also at a full-screen
// switch), -1 after a normal end (Escape, death, quit message).
std::int32_t runGame(int width, int height, int bitsPerPixel, bool fullScreen, HINSTANCE instance,
                     CollisionModel3D* worldModel, CollisionModel3D* playerBox,
                     CollisionModel3D* secondPlayerBox);
