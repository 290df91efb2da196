// The data generator: writes every file the game reads into
// <gamedata dir>/data and the program's own resource pictures into
// <generated dir>. With --list-textures it prints the texture table.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/datagen/texture_set.h"

namespace {
int usage() {
  std::fprintf(stderr,
               "usage: datagen <gamedata dir> <generated dir>\n"
               "       datagen --list-textures\n");
  return 2;
}

void listTextures() {
  for (int i = 0; i < kTextureCount; ++i) std::printf("%d BMP/%s\n", i, kTextureFiles[static_cast<size_t>(i)]);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--list-textures") == 0) {
    listTextures();
    return 0;
  }
  if (argc != 3) return usage();
  std::string data = std::string(argv[1]) + "/data";
  bool ok = writeTextures(data + "/BMP");
  return ok ? 0 : 1;
}
