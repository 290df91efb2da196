#include <SDL.h>

#include <cstdio>

#include "platform/linux/sdl_platform.h"
#include "shell/program_steps.h"

// No command line: the start dialog is the only configuration. The data
// tree is read relative to the working folder.
int main(int, char**) {
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    std::fprintf(stderr, "brakmoor: %s\n", SDL_GetError());
    return 1;
  }
  int result;
  {
    SdlPlatform sdl;
    installPlatform(&sdl);
    result = runProgram(sdl);
    installPlatform(nullptr);
  }
  SDL_Quit();
  return result;
}
