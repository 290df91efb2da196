#include <gtest/gtest.h>

#include <cstring>

#include "shell/keyboard_win32.h"

namespace {

class Keyboard : public ::testing::Test {
 protected:
  void TearDown() override { shutdownKeyboard(); }
  void* instance() { return GetModuleHandleA(nullptr); }
};

TEST_F(Keyboard, ShutdownReleasesOnceAndIsHarmlessAgain) {
  shutdownKeyboard();  // nothing created yet
  EXPECT_EQ(directInput, nullptr);

  ASSERT_EQ(initKeyboard(instance()), 1);
  EXPECT_NE(directInput, nullptr);
  EXPECT_NE(keyboardDevice, nullptr);

  shutdownKeyboard();
  EXPECT_EQ(directInput, nullptr);
  EXPECT_EQ(keyboardDevice, nullptr);
  shutdownKeyboard();
  EXPECT_EQ(directInput, nullptr);

  // The device can be set up again after a full release.
  EXPECT_EQ(initKeyboard(instance()), 1);
}

TEST_F(Keyboard, ASecondInitReplacesTheDevice) {
  ASSERT_EQ(initKeyboard(instance()), 1);
  ASSERT_EQ(initKeyboard(instance()), 1);
  ASSERT_NE(keyboardDevice, nullptr);
  // The replacement is a working device: its state can be read.
  unsigned char state[256];
  EXPECT_EQ(keyboardDevice->GetDeviceState(sizeof state, state), DI_OK);
}

TEST_F(Keyboard, UntouchedKeysReadAsUp) {
  ASSERT_EQ(initKeyboard(instance()), 1);
  std::memset(keyboardState, 0xAA, sizeof keyboardState);
  readKeyboardState();
  for (int code = 0; code < 256; ++code)
    EXPECT_EQ(keyboardState[code] & 0x80, 0) << "scan code " << code;
}

TEST_F(Keyboard, ReadingWithoutADeviceKeepsThePreviousState) {
  shutdownKeyboard();
  std::memset(keyboardState, 0, sizeof keyboardState);
  keyboardState[0x01] = 0x80;
  readKeyboardState();
  EXPECT_EQ(keyboardState[0x01], 0x80);
}

void sendScanCode(WORD scanCode, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = scanCode;
  input.ki.dwFlags = KEYEVENTF_SCANCODE | (down ? 0 : KEYEVENTF_KEYUP);
  SendInput(1, &input, sizeof input);
}

// Lets the input reach the device, then reads it.
void settleAndRead() {
  for (int i = 0; i < 20; ++i) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  readKeyboardState();
}

TEST_F(Keyboard, AHeldKeyShowsItsDownBitUntilReleased) {
  ASSERT_EQ(initKeyboard(instance()), 1);
  constexpr WORD keyA = 0x1E;
  sendScanCode(keyA, true);
  settleAndRead();
  EXPECT_EQ(keyboardState[keyA] & 0x80, 0x80);
  settleAndRead();
  EXPECT_EQ(keyboardState[keyA] & 0x80, 0x80);  // still held in the next frame
  sendScanCode(keyA, false);
  settleAndRead();
  EXPECT_EQ(keyboardState[keyA] & 0x80, 0);
  for (int code = 0; code < 256; ++code)
    if (code != keyA) EXPECT_EQ(keyboardState[code], 0) << "scan code " << code;
}

}  // namespace
