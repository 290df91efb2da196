#pragma once
// Running the program with a demo: recording one, playing one back, or
// timing one. The native program takes --record, --play or --timedemo with
// a file name; the Windows program, which has no command line, reads the
// environment variables BRAKMOOR_RECORD, BRAKMOOR_PLAY and BRAKMOOR_TIMEDEMO.

#include <string>

#include "shell/demo_platform.h"

struct DemoRequest {
  bool wanted = false;
  DemoMode mode = DemoMode::record;
  std::string fileName;
};

// From the command line: true with `request` filled (wanted or not), false
// on arguments it does not know, with `message` saying how to use it.
bool demoRequestFromArguments(int argc, const char* const* argv, DemoRequest& request, std::string& message);
DemoRequest demoRequestFromEnvironment();

// Runs the whole program on `real`, through a demo when one is wanted, and
// returns the exit code.
int runProgramWithDemo(Platform& real, const DemoRequest& request);
