#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
// The one installed platform: the program entry sets it before anything
// else runs, tests set their fake for their own scope.
Platform* installed = nullptr;
}  // namespace

Platform& platform() {
  // A missing installation is a programming error in the entry or a test;
  // it is reported instead of crashing somewhere inside a game step.
  if (installed == nullptr) {
    std::fprintf(stderr, "platform used before installation\n");
    std::abort();
  }
  return *installed;
}

OsServices& osServices() { return platform(); }

std::string resolvedFileName(const char* name) {
  return installed != nullptr ? installed->resolveFileName(name) : std::string(name);
}

Platform* installPlatform(Platform* next) {
  Platform* previous = installed;
  installed = next;
  return previous;
}

std::uint32_t OsServices::randomSeed() {
  const char* fixed = std::getenv("BRAKMOOR_SEED");
  if (fixed != nullptr && *fixed != '\0') return static_cast<std::uint32_t>(std::strtoul(fixed, nullptr, 10));
  return static_cast<std::uint32_t>(std::time(nullptr));
}
