#include "shell/run_flags.h"

#include "platform/platform.h"

void endIntro(RunFlags& flags) { flags.introRunning = 0; }

void terminateProgram(Platform& platform, RunFlags& flags) {
  platform.postIntroQuit();
  flags.programRunning = 0;
}
