#include <gtest/gtest.h>

#include <cstring>

#include "shell/keyboard_win32.h"

TEST(Keyboard, ShutdownReleasesOnceAndIsHarmlessAgain) {
  shutdownKeyboard();  // nothing created yet
  ASSERT_EQ(initKeyboard(GetModuleHandleA(nullptr)), 1);
  EXPECT_NE(keyboardDevice, nullptr);
  shutdownKeyboard();
  EXPECT_EQ(directInput, nullptr);
  EXPECT_EQ(keyboardDevice, nullptr);
  shutdownKeyboard();
  EXPECT_EQ(directInput, nullptr);
  // Without a device the last state stays.
  std::memset(keyboardState, 0, sizeof keyboardState);
  keyboardState[0x01] = 0x80;
  readKeyboardState();
  EXPECT_EQ(keyboardState[0x01], 0x80);

  EXPECT_EQ(initKeyboard(GetModuleHandleA(nullptr)), 1);  // it can be set up again
  shutdownKeyboard();
}
