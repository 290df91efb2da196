#include <windows.h>

#include "shell/os_services_win32.h"

// Placeholder entry until the run sequence lands.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  installOsServices(&win32OsServices());
  return 0;
}
