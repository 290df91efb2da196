#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "shell/demo_run.h"

// The command line and the show state are not used: the start dialog is the
// only configuration, and a demo is named by the environment.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  static Win32Platform win32(instance);
  installPlatform(&win32);
  return runProgramWithDemo(win32, demoRequestFromEnvironment());
}
