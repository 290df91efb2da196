#pragma once
// Materials drawn from noise rather than blocks: marble, granite, water and
// wood. Every painter tiles seamlessly across the picture's edges.
#include <cstdint>

#include "tools/datagen/image.h"

Image paintMarble(int size, Colour base, Colour vein, uint64_t seed);
Image paintGranite(int size, Colour base, Colour dark, Colour light, uint64_t seed);
Image paintWater(int size, Colour deep, Colour light, uint64_t seed);
// Vertical planks with grain; `plankCount` planks across the picture.
Image paintWoodPlanks(int size, int plankCount, Colour light, Colour dark, uint64_t seed);
// A crate side: planks inside a frame, with a diagonal brace.
Image paintCrate(int size, Colour light, Colour dark, uint64_t seed);
