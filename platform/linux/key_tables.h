#pragma once
// The keyboard in the two numberings the game reads: DirectInput scan codes
// for the game's 256-byte key state (game/key_codes.h) and Windows
// virtual-key codes for the intro's key-down flags, both from SDL's scan
// codes (the key's place on the keyboard, as DirectInput's are).

#include <SDL_scancode.h>

#include <cstdint>

// DirectInput scan code of an SDL scan code; 0 for keys without one.
std::uint8_t directInputScanCode(SDL_Scancode key);
// Windows virtual-key code of an SDL scan code; 0 for keys without one.
std::uint8_t virtualKeyCode(SDL_Scancode key);

// Writes the game's key state (keyboardStateSize bytes: 0x80 down, 0 up)
// from SDL's key state (`count` entries indexed by SDL scan code, 1 down).
void fillScanCodeState(const std::uint8_t* sdlState, int count, unsigned char* state);
