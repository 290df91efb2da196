#pragma once
// The keyboard device: DirectInput fills the portable key state
// (platform/keyboard.h) once per frame. The interfaces are visible for the
// tests.

#define DIRECTINPUT_VERSION 0x0700
#include <windows.h>
#include <dinput.h>

#include <cstdint>

#include "platform/keyboard.h"

extern IDirectInput7A* directInput;
extern IDirectInputDevice7A* keyboardDevice;

// `instance` is the program's module instance. 1 when the device is ready,
// 0 on failure (no message is shown; what was created stays until
// shutdownKeyboard).
std::int32_t initKeyboard(HINSTANCE instance);
// Releases the device and the input interface; safe when nothing exists and
// when called again.
void shutdownKeyboard();
// Reads the device state into keyboardState; a failed read leaves the
// previous state.
void readKeyboardState();
