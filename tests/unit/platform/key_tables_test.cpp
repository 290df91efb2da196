// The Linux program's keyboard tables: SDL scan codes to the game's
// DirectInput scan codes and the intro's virtual-key codes.
#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "game/key_codes.h"
#include "platform/linux/key_tables.h"
#include "platform/platform.h"

namespace {

TEST(KeyTables, TheGamesKeysComeFromTheirPlacesOnTheKeyboard) {
  const std::pair<SDL_Scancode, std::uint8_t> keys[] = {
      {SDL_SCANCODE_ESCAPE, scanCode::escape}, {SDL_SCANCODE_1, scanCode::digit1},
      {SDL_SCANCODE_2, scanCode::digit2},      {SDL_SCANCODE_W, scanCode::w},
      {SDL_SCANCODE_S, scanCode::s},           {SDL_SCANCODE_D, scanCode::d},
      {SDL_SCANCODE_F, scanCode::f},           {SDL_SCANCODE_H, scanCode::h},
      {SDL_SCANCODE_C, scanCode::c},           {SDL_SCANCODE_B, scanCode::b},
      {SDL_SCANCODE_M, scanCode::m},           {SDL_SCANCODE_F1, scanCode::f1},
      {SDL_SCANCODE_RCTRL, scanCode::rightControl}, {SDL_SCANCODE_UP, scanCode::up},
      {SDL_SCANCODE_LEFT, scanCode::left},     {SDL_SCANCODE_RIGHT, scanCode::right},
      {SDL_SCANCODE_DOWN, scanCode::down}};
  for (const auto& key : keys)
    EXPECT_EQ(directInputScanCode(key.first), key.second) << "SDL scan code " << key.first;
  // The intro reads Escape and F1 by virtual-key code.
  EXPECT_EQ(virtualKeyCode(SDL_SCANCODE_ESCAPE), 0x1B);
  EXPECT_EQ(virtualKeyCode(SDL_SCANCODE_F1), 0x70);
  EXPECT_EQ(directInputScanCode(SDL_SCANCODE_AUDIOPLAY), 0);
}

TEST(KeyTables, NoTwoKeysShareAScanCode) {
  std::set<std::uint8_t> seen;
  for (int key = 0; key < SDL_NUM_SCANCODES; ++key) {
    const std::uint8_t code = directInputScanCode(static_cast<SDL_Scancode>(key));
    if (code == 0) continue;
    EXPECT_TRUE(seen.insert(code).second) << "scan code " << int(code);
  }
  EXPECT_GT(seen.size(), 100u);
}

TEST(KeyTables, HeldKeysSetTheDownBitAndNothingElse) {
  Uint8 sdlState[SDL_NUM_SCANCODES] = {};
  sdlState[SDL_SCANCODE_UP] = 1;
  sdlState[SDL_SCANCODE_RCTRL] = 1;
  unsigned char state[keyboardStateSize];
  std::fill(std::begin(state), std::end(state), 0x55);
  fillScanCodeState(sdlState, SDL_NUM_SCANCODES, state);
  for (int code = 0; code < keyboardStateSize; ++code) {
    const bool held = code == scanCode::up || code == scanCode::rightControl;
    EXPECT_EQ(state[code], held ? 0x80 : 0) << code;
  }
}

}  // namespace
