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

namespace {

// Sends a key change by scan code (none for 0), lets it reach the device and
// reads the state as one frame does.
void sendAndRead(WORD scanCode, DWORD upFlag) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = scanCode;
  input.ki.dwFlags = KEYEVENTF_SCANCODE | upFlag;
  if (scanCode != 0) SendInput(1, &input, sizeof input);
  for (int i = 0; i < 20; ++i, Sleep(10))
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
  readKeyboardState();
}

TEST(Keyboard, AHeldKeyShowsItsDownBitUntilReleasedAndOtherKeysStayUp) {
  ASSERT_EQ(initKeyboard(GetModuleHandleA(nullptr)), 1);
  constexpr WORD keyA = 0x1E;
  std::memset(keyboardState, 0xAA, sizeof keyboardState);  // every byte must be read
  sendAndRead(keyA, 0);
  EXPECT_EQ(keyboardState[keyA] & 0x80, 0x80);
  sendAndRead(0, 0);  // the next frame: still held, nothing else down
  for (int code = 0; code < 256; ++code)
    EXPECT_EQ(keyboardState[code], code == keyA ? 0x80 : 0) << "scan code " << code;
  sendAndRead(keyA, KEYEVENTF_KEYUP);
  EXPECT_EQ(keyboardState[keyA], 0);
  shutdownKeyboard();
}

}  // namespace
