#include "tools/datagen/texture_set.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <set>

#include "tools/datagen/bitmap_file.h"
#include "tools/datagen/byte_writer.h"
#include "tools/datagen/font_sheets.h"
#include "tools/datagen/masonry.h"
#include "tools/datagen/metal_textures.h"
#include "tools/datagen/natural_textures.h"
#include "tools/datagen/picture_textures.h"

const char* bmpFileName(int index) {
  // The game names "Data/BMP/<file>"; the generator writes into the BMP folder.
  const char* path = textureFileNames[index];
  const char* slash = std::strrchr(path, '/');
  return slash != nullptr ? slash + 1 : path;
}

namespace {
constexpr int kSurface = 256;  // walls, floors and ceilings
constexpr int kPicture = 128;  // wall pictures, emblem, flashes

Colour rgb(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

Image brick(Colour base, Colour alternate, int width, int height, uint64_t seed) {
  MasonryStyle style;
  style.mortar = rgb(150, 145, 135);
  style.base = base;
  style.alternate = alternate;
  style.seed = seed;
  return paintMasonry(kSurface, brickRows(kSurface, width, height), style);
}

Image cutStone(Colour base, Colour alternate, uint64_t seed) {
  MasonryStyle style;
  style.mortar = rgb(60, 58, 55);
  style.base = base;
  style.alternate = alternate;
  style.mortarWidth = 4;
  style.bevel = 7;
  style.grain = 0.35f;
  style.grainPeriod = 8;
  style.seed = seed;
  return paintMasonry(kSurface, randomBlockRows(kSurface, {48, 64, 40, 56, 48}, 48, 112, seed), style);
}

Image tiles(int tileSize, Colour base, Colour alternate, bool checker, Colour grout, uint64_t seed) {
  MasonryStyle style;
  style.mortar = grout;
  style.base = base;
  style.alternate = alternate;
  style.checker = checker;
  style.brightnessJitter = 0.06f;
  style.mortarWidth = tileSize >= 64 ? 4 : 2;
  style.bevel = tileSize >= 64 ? 3 : 1;
  style.grain = 0.12f;
  style.grainPeriod = 32;
  style.seed = seed;
  return paintMasonry(kSurface, tileRows(kSurface, tileSize), style);
}

struct Painter {
  const char* fileName;
  std::function<std::optional<Image>()> paint;
};

const std::vector<Painter>& painters() {
  static const std::vector<Painter> list = {
      {"floor1.bmp", [] { return tiles(64, rgb(215, 210, 200), rgb(40, 40, 45), true, rgb(90, 90, 90), 11); }},
      {"brass640.bmp", [] { return paintBrass(kSurface, 12); }},
      {"brick02b.bmp", [] { return brick(rgb(150, 60, 40), rgb(120, 50, 35), 64, 32, 13); }},
      {"brick03b.bmp", [] { return brick(rgb(170, 120, 80), rgb(140, 90, 60), 64, 32, 14); }},
      {"water01b.bmp", [] { return paintWater(kSurface, rgb(10, 40, 90), rgb(40, 120, 170), 15); }},
      {"water03b.bmp", [] { return paintWater(kSurface, rgb(10, 60, 60), rgb(50, 150, 130), 16); }},
      {"stone09b.bmp", [] { return cutStone(rgb(130, 125, 115), rgb(105, 100, 95), 17); }},
      {"marbl08b.bmp", [] { return paintMarble(kSurface, rgb(225, 218, 210), rgb(90, 80, 95), 18); }},
      {"floor27b.bmp", [] { return tiles(16, rgb(70, 110, 140), rgb(200, 190, 160), false, rgb(40, 40, 40), 19); }},
      {"brick06b.bmp", [] { return brick(rgb(135, 45, 30), rgb(95, 40, 30), 64, 32, 20); }},
      {"windows-logo.bmp", [] { return paintMoorPainting(kPicture, 21); }},
      // The HUD lays the emblem on its rectangle right to left: stored
      // mirrored, its "B" reads forwards on the screen.
      {"linux-logo.bmp", [] { return mirrored(paintEmblem(kPicture)); }},
      {"wood01b.bmp", [] { return paintCrate(kSurface, rgb(190, 140, 80), rgb(100, 65, 30), 22); }},
      {"wood05b.bmp", [] { return paintWoodPlanks(kSurface, 4, rgb(170, 110, 60), rgb(90, 50, 25), 23); }},
      {"wood10b.bmp", [] { return paintWoodPlanks(kSurface, 8, rgb(120, 75, 45), rgb(60, 35, 20), 24); }},
      {"tolvane.bmp", [] { return paintStarPainting(kPicture, 25); }},
      {"font512.bmp", [] { return makeFontSheet(kLargeFontSheet); }},
      {"font256.bmp", [] { return makeFontSheet(kSmallFontSheet); }},
      {"floor09b.bmp", [] { return tiles(64, rgb(180, 160, 120), rgb(150, 130, 100), false, rgb(70, 60, 50), 26); }},
      {"floor13b.bmp", [] { return tiles(128, rgb(200, 198, 190), rgb(185, 182, 175), false, rgb(120, 118, 112), 27); }},
      {"grani02b.bmp", [] { return paintGranite(kSurface, rgb(150, 145, 145), rgb(30, 30, 35), rgb(230, 225, 220), 28); }},
      {"grani03b.bmp", [] { return paintGranite(kSurface, rgb(170, 110, 100), rgb(40, 30, 30), rgb(235, 200, 190), 29); }},
      {"grani07b.bmp", [] { return paintGranite(kSurface, rgb(80, 85, 90), rgb(15, 15, 20), rgb(190, 190, 200), 30); }},
      {"fence01b.bmp", [] { return paintGrating(kSurface, 31); }},
      {"floor08b.bmp", [] { return paintRivetedPanels(kSurface, 2, rgb(120, 125, 130), 32); }},
      {"stone10b.bmp", [] { return cutStone(rgb(110, 115, 125), rgb(85, 90, 100), 33); }},
      {"m16.bmp", [] { return paintGun(kSurface, GunKind::Rifle); }},
      {"rifle.bmp", [] { return paintGun(kSurface, GunKind::Laser); }},
      {"rifle_blast.bmp", [] { return paintMuzzleFlash(kPicture, 7, 0.8f, 34); }},
      {"rifle_blast2.bmp", [] { return paintMuzzleFlash(kPicture, 11, 0.3f, 35); }},
      {"crosshair.bmp", [] { return paintCrosshair(64); }},
  };
  return list;
}
}  // namespace

std::optional<Image> paintTexture(const std::string& fileName) {
  for (const Painter& painter : painters())
    if (fileName == painter.fileName) return painter.paint();
  return std::nullopt;
}

bool writeTextures(const std::string& bmpFolder) {
  std::set<std::string> written;
  for (int index = 0; index < textureCount; ++index) {
    const char* fileName = bmpFileName(index);
    if (!written.insert(fileName).second) continue;
    std::optional<Image> image = paintTexture(fileName);
    if (!image) {
      std::fprintf(stderr, "datagen: no picture for %s\n", fileName);
      return false;
    }
    if (!saveFile(bmpFolder + "/" + fileName, encodeBmp24(*image))) return false;
  }
  return true;
}
