// The Linux program's keyboard: SDL's key state turned into the game's
// DirectInput state.
#include <set>

#include <gtest/gtest.h>

#include "game/key_codes.h"
#include "platform/linux/key_tables.h"
#include "platform/platform.h"

TEST(KeyTables, NoTwoKeysShareAScanCodeAndHeldKeysSetOnlyTheirDownBit) {
  std::set<std::uint8_t> seen;
  for (int key = 0; key < SDL_NUM_SCANCODES; ++key) {
    const std::uint8_t code = directInputScanCode(static_cast<SDL_Scancode>(key));
    EXPECT_TRUE(code == 0 || seen.insert(code).second) << "scan code " << int(code);
  }
  EXPECT_GT(seen.size(), 100u);
  Uint8 sdlState[SDL_NUM_SCANCODES] = {};
  sdlState[SDL_SCANCODE_UP] = sdlState[SDL_SCANCODE_RCTRL] = 1;
  unsigned char state[keyboardStateSize];
  std::fill(std::begin(state), std::end(state), 0x55);
  fillScanCodeState(sdlState, SDL_NUM_SCANCODES, state);
  for (int code = 0; code < keyboardStateSize; ++code)
    EXPECT_EQ(state[code], code == scanCode::up || code == scanCode::rightControl ? 0x80 : 0) << code;
}
