#pragma once
// Windows icon files (.ico) holding 24-bit pictures. Pure black pixels
// become transparent through the icon's mask.
#include <cstdint>
#include <vector>

#include "tools/datagen/image.h"

// One entry per picture; pictures must be square and at most 255 pixels.
std::vector<uint8_t> encodeIcon(const std::vector<Image>& pictures);
