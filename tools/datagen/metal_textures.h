#pragma once
// Metal surfaces: brushed brass plates, a steel grating over a dark pit,
// riveted ceiling panels.
#include <cstdint>

#include "tools/datagen/image.h"

Image paintBrass(int size, uint64_t seed);
// Diamond mesh of wire over darkness, as a walkway grating seen from above.
Image paintGrating(int size, uint64_t seed);
Image paintRivetedPanels(int size, int panelsAcross, Colour metal, uint64_t seed);
