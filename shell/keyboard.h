#pragma once
// The keyboard as an immediate 256-byte state, one byte per scan code, read
// once per frame during the game. A key is down when bit 0x80 of its byte is
// set.

extern unsigned char keyboardState[256];

// `instance` is the program's module instance handle. 1 when the device is
// ready, 0 on failure (no message is shown; what was created stays until
// shutdownKeyboard).
int initKeyboard(void* instance);
// Releases the device and the input interface; safe when nothing exists and
// when called again.
void shutdownKeyboard();
// Reads the device state into keyboardState; a failed read leaves the
// previous state.
void readKeyboardState();
