#include "render/dib_reader.h"

#include <cstdio>
#include <cstdlib>

namespace {
DibReader* installed = nullptr;
}

DibReader& dibReader() {
  if (installed == nullptr) {
    // Like the OS services: a missing installation is a programming error.
    std::fputs("BMP reader used before installation\n", stderr);
    std::abort();
  }
  return *installed;
}

DibReader* installDibReader(DibReader* reader) {
  DibReader* previous = installed;
  installed = reader;
  return previous;
}
