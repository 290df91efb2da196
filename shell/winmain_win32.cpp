#include <windows.h>

#include "render/bmp_reader_win32.h"
#include "render/dib_reader.h"
#include "shell/os_services_win32.h"
#include "shell/run_program_win32.h"

// The command line and the show state are not used: the start dialog is the
// only configuration.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  installOsServices(&win32OsServices());
  installDibReader(&readDibFileWithGdi);
  return runProgram(instance);
}
