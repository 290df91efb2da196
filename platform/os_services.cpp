#include "platform/os_services.h"

#include <cstdio>
#include <cstdlib>

namespace {
OsServices* installed = nullptr;
}

OsServices& osServices() {
  if (installed == nullptr) {
    // A missing installation is a programming error in the entry or a test;
    // say so instead of crashing somewhere inside a game step.
    std::fputs("OS services used before installation\n", stderr);
    std::abort();
  }
  return *installed;
}

OsServices* installOsServices(OsServices* services) {
  OsServices* previous = installed;
  installed = services;
  return previous;
}
