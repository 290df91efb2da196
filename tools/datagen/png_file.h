#pragma once
// PNG files (8-bit RGBA, not filtered, stored without compression), for the
// Linux desktop icon. Pure black pixels become transparent, as in the
// Windows icon.
#include <cstdint>
#include <vector>

#include "tools/datagen/image.h"

std::vector<uint8_t> encodePng(const Image& picture);
