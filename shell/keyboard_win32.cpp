#include "shell/keyboard_win32.h"

IDirectInput7A* directInput = nullptr;
IDirectInputDevice7A* keyboardDevice = nullptr;

// A second call (after the game window was re-created) replaces the earlier
// interfaces; they are released first so each game leaves no device behind.
std::int32_t initKeyboard(HINSTANCE instance) {
  shutdownKeyboard();
  // An interface slot is only trusted after a successful call.
  void* created = nullptr;
  if (DirectInputCreateEx(instance, DIRECTINPUT_VERSION, IID_IDirectInput7A, &created, nullptr) !=
      DI_OK)
    return 0;
  directInput = static_cast<IDirectInput7A*>(created);
  created = nullptr;
  if (directInput->CreateDeviceEx(GUID_SysKeyboard, IID_IDirectInputDevice7A, &created, nullptr) !=
      DI_OK)
    return 0;
  keyboardDevice = static_cast<IDirectInputDevice7A*>(created);
  if (keyboardDevice->SetDataFormat(&c_dfDIKeyboard) != DI_OK) return 0;
  if (keyboardDevice == nullptr) return 0;
  keyboardDevice->Acquire();
  return 1;
}

void shutdownKeyboard() {
  if (directInput == nullptr) return;
  if (keyboardDevice != nullptr) {
    keyboardDevice->Unacquire();
    keyboardDevice->Release();
    keyboardDevice = nullptr;
  }
  directInput->Release();
  directInput = nullptr;
}

void readKeyboardState() {
  if (keyboardDevice == nullptr) return;
  keyboardDevice->GetDeviceState(sizeof keyboardState, keyboardState);
}
