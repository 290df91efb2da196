#include <SDL.h>

#include <cstdio>

#include "platform/linux/sdl_platform.h"
#include "shell/demo_run.h"

// The start dialog is the only configuration; the command line only names
// a demo to record or play (shell/demo_run.h). The data tree is read
// relative to the working folder.
int main(int argc, char** argv) {
  DemoRequest demo;
  std::string usage;
  if (!demoRequestFromArguments(argc, argv, demo, usage)) {
    std::fprintf(stderr, "%s\n", usage.c_str());
    return 2;
  }
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    std::fprintf(stderr, "brakmoor: %s\n", SDL_GetError());
    return 1;
  }
  int result;
  {
    SdlPlatform sdl;
    installPlatform(&sdl);
    result = runProgramWithDemo(sdl, demo);
    installPlatform(nullptr);
  }
  SDL_Quit();
  return result;
}
