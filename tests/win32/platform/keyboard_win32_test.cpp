#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32/keyboard.h"

namespace {

// Sends a key change by scan code (none for 0), lets it reach the device and
// reads the state as one frame does.
void sendAndRead(KeyboardDevice& device, WORD scanCode, DWORD upFlag) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = scanCode;
  input.ki.dwFlags = KEYEVENTF_SCANCODE | upFlag;
  if (scanCode != 0) SendInput(1, &input, sizeof input);
  for (int i = 0; i < 20; ++i, Sleep(10))
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
  readKeyboardState(device);
}

TEST(Keyboard, AHeldKeyShowsUntilReleasedAndShutdownReleasesOnceAndAllowsASecondSetUp) {
  KeyboardDevice device;
  shutdownKeyboard(device);  // nothing created yet
  ASSERT_EQ(initKeyboard(device, GetModuleHandleA(nullptr)), 1);
  constexpr WORD keyA = 0x1E;
  std::memset(device.keyboardState, 0xAA, sizeof device.keyboardState);  // every byte must be read
  sendAndRead(device, keyA, 0);
  EXPECT_EQ(device.keyboardState[keyA] & 0x80, 0x80);
  sendAndRead(device, 0, 0);  // the next frame: still held, nothing else down
  for (int code = 0; code < 256; ++code)
    EXPECT_EQ(device.keyboardState[code], code == keyA ? 0x80 : 0) << "scan code " << code;
  sendAndRead(device, keyA, KEYEVENTF_KEYUP);
  EXPECT_EQ(device.keyboardState[keyA], 0);

  shutdownKeyboard(device);
  EXPECT_TRUE(device.directInput == nullptr && device.keyboardDevice == nullptr);
  shutdownKeyboard(device);  // nothing left to release
  // Without a device the last state stays.
  device.keyboardState[0x01] = 0x80;
  readKeyboardState(device);
  EXPECT_EQ(device.keyboardState[0x01], 0x80);
  // F1 shuts the keyboard down and sets it up again for the new window.
  EXPECT_EQ(initKeyboard(device, GetModuleHandleA(nullptr)), 1);
  shutdownKeyboard(device);
}

}  // namespace
