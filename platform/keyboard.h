#pragma once
// The keyboard as an immediate 256-byte state, one byte per scan code
// (DirectInput numbering, game/key_codes.h), read once per frame during the
// game. A key is down when bit 0x80 of its byte is set. The platform's
// keyboard device fills it (shell/keyboard_win32.h).

#include <cstddef>

constexpr std::size_t keyboardStateSize = 256;

extern unsigned char keyboardState[keyboardStateSize];
