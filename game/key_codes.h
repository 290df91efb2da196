#pragma once
// Keyboard scan codes of the keys the game reads (DirectInput numbering),
// and the down test of the 256-byte key state.

#include <cstdint>

namespace scanCode {
constexpr std::uint8_t escape = 0x01;
constexpr std::uint8_t digit1 = 0x02;
constexpr std::uint8_t digit2 = 0x03;
constexpr std::uint8_t w = 0x11;
constexpr std::uint8_t s = 0x1F;
constexpr std::uint8_t d = 0x20;
constexpr std::uint8_t f = 0x21;
constexpr std::uint8_t h = 0x23;
constexpr std::uint8_t c = 0x2E;
constexpr std::uint8_t b = 0x30;
constexpr std::uint8_t m = 0x32;
constexpr std::uint8_t f1 = 0x3B;
constexpr std::uint8_t rightControl = 0x9D;
constexpr std::uint8_t up = 0xC8;
constexpr std::uint8_t left = 0xCB;
constexpr std::uint8_t right = 0xCD;
constexpr std::uint8_t down = 0xD0;
}  // namespace scanCode

inline bool isKeyDown(const unsigned char* keyboard, std::uint8_t code) {
  return (keyboard[code] & 0x80) != 0;
}
