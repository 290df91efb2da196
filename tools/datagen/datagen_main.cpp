// The data generator: writes every file the game reads into
// <gamedata dir>/data and the program's own resource pictures into
// <generated dir>. With --list-textures it prints the texture table.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "tools/datagen/bitmap_file.h"
#include "tools/datagen/byte_writer.h"
#include "tools/datagen/icon_file.h"
#include "tools/datagen/intro_movie.h"
#include "tools/datagen/maze_grid.h"
#include "tools/datagen/picture_textures.h"
#include "tools/datagen/png_file.h"
#include "tools/datagen/sounds.h"
#include "tools/datagen/texture_set.h"
#include "tools/datagen/title_art.h"
#include "tools/datagen/wave_file.h"

namespace {
const std::string kLevelSource = std::string(BRAKMOOR_SOURCE_DIR) + "/tools/datagen/level1.dat";

int usage() {
  std::fprintf(stderr,
               "usage: datagen <gamedata dir> <generated dir>\n"
               "       datagen --list-textures\n");
  return 2;
}

void listTextures() {
  for (int i = 0; i < textureCount; ++i) std::printf("%d BMP/%s\n", i, bmpFileName(i));
}

// The level is written by hand; the game gets it as it is.
bool copyLevel(const std::string& target) {
  std::ifstream in(kLevelSource, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "datagen: cannot read %s\n", kLevelSource.c_str());
    return false;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return saveFile(target, bytes);
}

bool writeSounds(const std::string& folder) {
  double introSeconds = kIntroFrameCount * kIntroMillisecondsPerFrame / 1000.0;
  return saveFile(folder + "/m16.wav", encodeWave16(rifleShotSound())) &&
         saveFile(folder + "/laser.wav", encodeWave16(laserShotSound())) &&
         saveFile(folder + "/hit.wav", encodeWave16(playerHitSound())) &&
         saveFile(folder + "/death.wav", encodeWave16(playerDeathSound())) &&
         saveFile(folder + "/intro.wav", encodeWave16(introMusic(introSeconds)));
}

bool writeResources(const MazeGrid& grid, const std::string& folder) {
  return saveFile(folder + "/title.bmp", encodeBmp24(makeTitlePicture(grid))) &&
         saveFile(folder + "/brakmoor.ico", encodeIcon({paintEmblem(32), paintEmblem(16)})) &&
         saveFile(folder + "/brakmoor.png", encodePng(paintEmblem(64)));
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--list-textures") == 0) {
    listTextures();
    return 0;
  }
  if (argc != 3) return usage();
  std::string data = std::string(argv[1]) + "/data";
  std::string generated = argv[2];

  std::optional<MazeGrid> grid = readMazeGrid(kLevelSource);
  if (!grid) return 1;
  bool ok = writeTextures(data + "/BMP") && copyLevel(data + "/LEVEL/level1.dat") && writeSounds(data + "/wav") &&
            saveFile(data + "/avi/intro.avi", makeIntroMovie(*grid)) && writeResources(*grid, generated);
  if (!ok) std::fprintf(stderr, "datagen: the data tree is incomplete\n");
  return ok ? 0 : 1;
}
