// figuregen <gamedata dir>: writes the enemy figure, data/MODELS/gign.mdl
// with its texture file gignT.mdl and its sequence group file gign01.mdl.
#include <cstdio>
#include <string>

#include "tools/datagen/byte_writer.h"
#include "tools/datagen/figure/figure_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: figuregen <gamedata dir>\n");
    return 2;
  }
  FigureFiles files;
  if (!buildSoldierFiles(files)) return 1;
  const std::string folder = std::string(argv[1]) + "/data/MODELS/";
  const bool saved = saveFile(folder + "gign.mdl", files.main) &&
                     saveFile(folder + "gignT.mdl", files.textures) &&
                     saveFile(folder + "gign01.mdl", files.group1);
  return saved ? 0 : 1;
}
