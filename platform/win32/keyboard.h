#pragma once
// The keyboard device of the game: DirectInput's system keyboard, read as an
// immediate 256-byte state once per frame.

#define DIRECTINPUT_VERSION 0x0700
#include <windows.h>
#include <dinput.h>

#include <cstdint>

#include "platform/platform.h"

struct KeyboardDevice {
  IDirectInput7A* directInput = nullptr;
  IDirectInputDevice7A* keyboardDevice = nullptr;
  // One byte per scan code; a key is down when bit 0x80 is set.
  unsigned char keyboardState[keyboardStateSize] = {};
};

// `instance` is the program's module instance. 1 when the device is ready,
// 0 on failure (no message is shown; what was created stays until
// shutdownKeyboard).
std::int32_t initKeyboard(KeyboardDevice& device, HINSTANCE instance);
// Releases the device and the input interface; safe when nothing exists and
// when called again.
void shutdownKeyboard(KeyboardDevice& device);
// Reads the device state into keyboardState; a failed read leaves the
// previous state.
void readKeyboardState(KeyboardDevice& device);
