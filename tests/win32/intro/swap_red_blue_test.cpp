#include <gtest/gtest.h>

#include <vector>

#include "intro/intro_movie.h"

// The exchange touches exactly the 256 x 256 pixels: first and third byte of
// each, the middle byte and anything past the buffer stay as they were.
TEST(SwapRedBlue, ExchangesOuterBytesOfEveryPixelAndNothingBeyond) {
  const int guard = 16;
  std::vector<std::uint8_t> buffer(movieFrameBytes + guard);
  for (size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<std::uint8_t>(i * 7 + 3);
  const std::vector<std::uint8_t> original = buffer;

  swapRedBlue(buffer.data());

  for (int pixel = 0; pixel < movieTextureSide * movieTextureSide; ++pixel) {
    const int at = pixel * 3;
    ASSERT_EQ(buffer[at], original[at + 2]) << "pixel " << pixel;
    ASSERT_EQ(buffer[at + 1], original[at + 1]) << "pixel " << pixel;
    ASSERT_EQ(buffer[at + 2], original[at]) << "pixel " << pixel;
  }
  for (int i = movieFrameBytes; i < movieFrameBytes + guard; ++i) EXPECT_EQ(buffer[i], original[i]);

  swapRedBlue(buffer.data());
  EXPECT_EQ(buffer, original);
}
