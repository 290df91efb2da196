#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "shell/program_steps.h"

// The command line and the show state are not used: the start dialog is the
// only configuration.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  static Win32Platform win32(instance);
  installPlatform(&win32);
  return runProgram(win32);
}
