#include "platform/win32/keyboard.h"

// A second call (after the game window was re-created) replaces the earlier
// interfaces; they are released first so each game leaves no device behind.
std::int32_t initKeyboard(KeyboardDevice& device, HINSTANCE instance) {
  shutdownKeyboard(device);
  // An interface slot is only trusted after a successful call.
  void* created = nullptr;
  if (DirectInputCreateEx(instance, DIRECTINPUT_VERSION, IID_IDirectInput7A, &created, nullptr) !=
      DI_OK)
    return 0;
  device.directInput = static_cast<IDirectInput7A*>(created);
  created = nullptr;
  if (device.directInput->CreateDeviceEx(GUID_SysKeyboard, IID_IDirectInputDevice7A, &created,
                                         nullptr) != DI_OK)
    return 0;
  device.keyboardDevice = static_cast<IDirectInputDevice7A*>(created);
  if (device.keyboardDevice->SetDataFormat(&c_dfDIKeyboard) != DI_OK) return 0;
  device.keyboardDevice->Acquire();
  return 1;
}

void shutdownKeyboard(KeyboardDevice& device) {
  if (device.directInput == nullptr) return;
  if (device.keyboardDevice != nullptr) {
    device.keyboardDevice->Unacquire();
    device.keyboardDevice->Release();
    device.keyboardDevice = nullptr;
  }
  device.directInput->Release();
  device.directInput = nullptr;
}

void readKeyboardState(KeyboardDevice& device) {
  if (device.keyboardDevice == nullptr) return;
  device.keyboardDevice->GetDeviceState(sizeof device.keyboardState, device.keyboardState);
}
