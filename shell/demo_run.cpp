#include "shell/demo_run.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/program_steps.h"
#include "shell/run_sequence.h"

namespace {

struct DemoSwitch {
  const char* argument;
  const char* variable;
  DemoMode mode;
};
constexpr DemoSwitch demoSwitches[] = {
    {"--record", "BRAKMOOR_RECORD", DemoMode::record},
    {"--play", "BRAKMOOR_PLAY", DemoMode::play},
    {"--timedemo", "BRAKMOOR_TIMEDEMO", DemoMode::timeDemo},
};

}  // namespace

bool demoRequestFromArguments(int argc, const char* const* argv, DemoRequest& request, std::string& message) {
  request = DemoRequest{};
  if (argc <= 1) return true;
  if (argc == 3) {
    for (const DemoSwitch& option : demoSwitches) {
      if (std::strcmp(argv[1], option.argument) != 0 || argv[2][0] == '\0') continue;
      request = {true, option.mode, argv[2]};
      return true;
    }
  }
  message = "usage: brakmoor [--record FILE | --play FILE | --timedemo FILE]";
  return false;
}

DemoRequest demoRequestFromEnvironment() {
  for (const DemoSwitch& option : demoSwitches) {
    const char* value = std::getenv(option.variable);
    if (value != nullptr && *value != '\0') return {true, option.mode, value};
  }
  return {};
}

int runProgramWithDemo(Platform& real, const DemoRequest& request) {
  if (!request.wanted) return runProgram(real);
  DemoPlatform demo(real, request.mode, request.fileName, levelFileName);
  std::string message;
  const bool usable = demo.open(message);
  if (!message.empty()) {
    std::fputs((message + "\n").c_str(), stdout);
    std::fflush(stdout);
  }
  if (!usable) return demoRefused;
  Platform* previous = installPlatform(&demo);
  ProgramOptions options;
  options.playIntro = !demo.playing();
  options.frameEnded = [&demo](const Game& game) { demo.frameEnded(game); };
  const int result = runProgram(demo, std::move(options));
  installPlatform(previous);
  return demo.finish(result);
}
