#pragma once
// The DirectInput interfaces behind the keyboard state, for the tests.

#define DIRECTINPUT_VERSION 0x0700
#include <windows.h>
#include <dinput.h>

#include "shell/keyboard.h"

extern IDirectInput7A* directInput;
extern IDirectInputDevice7A* keyboardDevice;
