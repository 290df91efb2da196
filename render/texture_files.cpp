#include "render/texture_files.h"

const char* const textureFileNames[textureCount] = {
    "Data/BMP/floor1.bmp",       "Data/BMP/brass640.bmp",     "Data/BMP/brick02b.bmp",
    "Data/BMP/brick03b.bmp",     "Data/BMP/water01b.bmp",     "Data/BMP/water03b.bmp",
    "Data/BMP/stone09b.bmp",     "Data/BMP/marbl08b.bmp",     "Data/BMP/floor27b.bmp",
    "Data/BMP/brass640.bmp",     "Data/BMP/brick06b.bmp",     "Data/BMP/windows-logo.bmp",
    "Data/BMP/linux-logo.bmp",   "Data/BMP/wood01b.bmp",      "Data/BMP/wood05b.bmp",
    "Data/BMP/wood10b.bmp",      "Data/BMP/tolvane.bmp",      "Data/BMP/font512.bmp",
    "Data/BMP/font256.bmp",      "Data/BMP/floor09b.bmp",     "Data/BMP/floor13b.bmp",
    "Data/BMP/grani02b.bmp",     "Data/BMP/grani03b.bmp",     "Data/BMP/grani07b.bmp",
    "Data/BMP/fence01b.bmp",     "Data/BMP/floor08b.bmp",     "Data/BMP/stone10b.bmp",
    "Data/BMP/m16.bmp",          "Data/BMP/rifle.bmp",        "Data/BMP/rifle_blast.bmp",
    "Data/BMP/rifle_blast2.bmp", "Data/BMP/crosshair.bmp",
};
