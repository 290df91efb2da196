#pragma once
// The program on Windows.

#include <windows.h>

// Start dialog, intro cycles, level, textures, game. Returns the process exit
// code.
int runProgram(HINSTANCE instance);
