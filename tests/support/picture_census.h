#pragma once
// Counting the pixels of a picture read back from a test context: by colour
// inside a box, and where two pictures differ.

#include <cstdint>
#include <vector>

// A pixel box in window coordinates measured from the top-left corner.
struct Box {
  int left, top, right, bottom;
};

// Lit pixels by colour: pure green, pure red, or anything else.
struct Census {
  int green = 0, red = 0, other = 0;
  int lit() const { return green + red + other; }
};

// `pixels` as TestGlContext::readPixels gives them, `width` pixels a row.
Census census(const std::vector<std::uint8_t>& pixels, int width, Box box);
// Pixels inside `box` whose colour differs between `a` and `b`.
int differingPixels(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b, int width, Box box);
