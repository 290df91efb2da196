#pragma once
// Walls and floors built from blocks laid in rows with mortar between them:
// bricks, cut stone, floor tiles and mosaics all come from one painter with
// different layouts and colours. Layouts wrap at the picture's edges so the
// textures tile seamlessly.
#include <cstdint>
#include <vector>

#include "tools/datagen/image.h"

struct BlockRow {
  int height;               // pixels
  int offset;               // x where the first block starts
  std::vector<int> widths;  // block widths; they add up to the picture width
};

struct MasonryStyle {
  Colour mortar;
  Colour base;
  Colour alternate;          // per-block colours lie between base and alternate
  bool checker = false;      // alternate strictly in a checkerboard instead
  float brightnessJitter = 0.15f;
  int mortarWidth = 3;
  int bevel = 4;             // pixels of shading at each block's edges
  float grain = 0.25f;       // strength of the surface noise
  int grainPeriod = 16;
  uint64_t seed = 1;
};

Image paintMasonry(int size, const std::vector<BlockRow>& rows, const MasonryStyle& style);

// Layouts.
std::vector<BlockRow> brickRows(int size, int brickWidth, int brickHeight);
std::vector<BlockRow> tileRows(int size, int tileSize);
// Rows of the given heights, each cut into blocks of random widths.
std::vector<BlockRow> randomBlockRows(int size, const std::vector<int>& heights, int minWidth, int maxWidth,
                                      uint64_t seed);
