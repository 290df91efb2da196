#pragma once
// The soldier's 8-bit paletted textures, drawn procedurally from fixed
// seeds.
#include <cstdint>
#include <string>
#include <vector>

struct PalettedTexture {
  std::string name;
  int width;
  int height;
  bool chrome;
  std::vector<uint8_t> pixels;   // width x height palette indices, first row first
  std::vector<uint8_t> palette;  // 256 x (red, green, blue)
};

// Textures in table order: dark uniform, face, gear (boots, gloves, helmet,
// vest, rifle), chrome visor, olive uniform (second skin family).
std::vector<PalettedTexture> soldierTextures();
