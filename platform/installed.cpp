#include "platform/installed.h"

#include <cstdio>
#include <cstdlib>

void reportMissingInstallation(const char* what) {
  std::fprintf(stderr, "%s used before installation\n", what);
  std::abort();
}
