#include <gtest/gtest.h>

#include "model/model_instance.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"

namespace {

// A palette whose entry i has the red value reds[i] (others black).
std::vector<std::uint8_t> paletteWithReds(std::initializer_list<int> reds) {
  std::vector<std::uint8_t> palette(768, 0);
  int i = 0;
  for (int red : reds) palette[3 * i++] = static_cast<std::uint8_t>(red);
  return palette;
}

TEST(ResampleTexture, SidesBecomePowersOfTwoUpTo256) {
  const struct {
    int stored, uploaded;
  } sides[] = {{1, 1}, {2, 2}, {3, 4}, {64, 64}, {100, 128}, {300, 256}, {512, 256}};
  const std::vector<std::uint8_t> palette(768, 0);
  for (const auto& side : sides) {
    const std::vector<std::uint8_t> pixels(static_cast<std::size_t>(side.stored) * 2, 0);
    const ResampledTexture t = resampleTexture(side.stored, 2, pixels.data(), palette.data());
    EXPECT_EQ(t.width, side.uploaded) << side.stored;
    EXPECT_EQ(t.height, 2);
    EXPECT_EQ(t.rgba.size(), static_cast<std::size_t>(t.width) * 2 * 4);
  }
}

TEST(ResampleTexture, StretchedTexelsAverageQuarterAndThreeQuarterSamples) {
  // 3 x 2 becomes 4 x 2: output columns sample source columns (0,0), (0,1),
  // (1,2) and (2,2).
  const std::uint8_t pixels[] = {0, 1, 2, 0, 1, 2};
  const auto palette = paletteWithReds({0, 100, 200});
  const ResampledTexture t = resampleTexture(3, 2, pixels, palette.data());
  ASSERT_EQ(t.width, 4);
  const int expectedRed[] = {0, 50, 150, 200};
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(t.rgba[4 * x], expectedRed[x]) << x;
    EXPECT_EQ(t.rgba[4 * x + 3], 255);
  }
}

TEST(ResampleTexture, ShrunkTexelsFloorTheAverageOfFour) {
  // 512 x 512 halves to 256 x 256; each output texel covers a 2 x 2 block
  // whose reds are 10, 20, 30 and 41: the floor of 101 / 4 is 25.
  std::vector<std::uint8_t> pixels(512 * 512);
  for (int y = 0; y < 512; ++y)
    for (int x = 0; x < 512; ++x) pixels[512 * y + x] = static_cast<std::uint8_t>((x % 2) + 2 * (y % 2));
  const auto palette = paletteWithReds({10, 20, 30, 41});
  const ResampledTexture t = resampleTexture(512, 512, pixels.data(), palette.data());
  ASSERT_EQ(t.width, 256);
  ASSERT_EQ(t.height, 256);
  for (std::size_t i = 0; i < t.rgba.size(); i += 4) ASSERT_EQ(t.rgba[i], 25) << i / 4;
}

TEST(UploadTexture, CreatesTheResampledTextureAndStoresItsName) {
  TestGlContext gl;
  ASSERT_TRUE(gl.ok());
  std::uint8_t record[80] = {};
  model_format::writeInt32(record + 68, 100);
  model_format::writeInt32(record + 72, 50);
  const std::vector<std::uint8_t> pixels(100 * 50, 1);
  const auto palette = paletteWithReds({0, 255});
  uploadTexture(record, pixels.data(), palette.data());
  const GLuint name = static_cast<GLuint>(model_format::readInt32(record + 76));
  ASSERT_TRUE(glIsTexture(name));
  glBindTexture(GL_TEXTURE_2D, name);
  GLint width = 0, height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  EXPECT_EQ(width, 128);
  EXPECT_EQ(height, 64);
  EXPECT_EQ(model_format::readInt32(record + 68), 100);  // the stored size stays
  GLint mode = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  EXPECT_EQ(mode, GL_MODULATE);
}

}  // namespace
