#include "shell/run_flags.h"

std::int32_t introRunning = 0;
std::int32_t programRunning = 0;
std::int32_t createFullScreen = 0;
unsigned char gamePending = 1;

void endIntro() { introRunning = 0; }
