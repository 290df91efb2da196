// Texture upload of the model files: palette images are resampled to
// power-of-two sides (OpenGL 1.1 needs them) by averaging four source texels
// per output texel.

#include <algorithm>

#include "model/model_instance.h"
#include "render/gl_api.h"

using namespace model_format;

static int uploadSide(int stored) {
  int side = 1;
  while (side < stored && side < 256) side *= 2;
  return side;
}

// Source positions at a quarter and three quarters of each output cell. The
// product stays below `stored` in exact arithmetic; the clamp guards against
// rounding.
static void sampleTable(int stored, int side, int stride, std::vector<int>& first,
                        std::vector<int>& second) {
  const double step = static_cast<double>(stored) / side;
  first.resize(side);
  second.resize(side);
  for (int i = 0; i < side; ++i) {
    first[i] = std::min(static_cast<int>((i + 0.25) * step), stored - 1) * stride;
    second[i] = std::min(static_cast<int>((i + 0.75) * step), stored - 1) * stride;
  }
}

ResampledTexture resampleTexture(int storedWidth, int storedHeight, const std::uint8_t* pixels,
                                 const std::uint8_t* palette) {
  ResampledTexture out;
  out.width = uploadSide(storedWidth);
  out.height = uploadSide(storedHeight);
  std::vector<int> col1, col2, row1, row2;
  sampleTable(storedWidth, out.width, 1, col1, col2);
  sampleTable(storedHeight, out.height, storedWidth, row1, row2);
  out.rgba.resize(static_cast<std::size_t>(out.width) * out.height * 4);
  std::uint8_t* texel = out.rgba.data();
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x, texel += 4) {
      const std::uint8_t* samples[4] = {
          palette + 3 * pixels[row1[y] + col1[x]], palette + 3 * pixels[row1[y] + col2[x]],
          palette + 3 * pixels[row2[y] + col1[x]], palette + 3 * pixels[row2[y] + col2[x]]};
      for (int channel = 0; channel < 3; ++channel) {
        const int sum = samples[0][channel] + samples[1][channel] + samples[2][channel] +
                        samples[3][channel];
        texel[channel] = static_cast<std::uint8_t>(sum >> 2);
      }
      texel[3] = 255;
    }
  }
  return out;
}

void uploadTexture(std::uint8_t* record, const std::uint8_t* pixels, const std::uint8_t* palette) {
  const ResampledTexture image =
      resampleTexture(readInt32(record + texture::width), readInt32(record + texture::height), pixels, palette);
  // Names come from OpenGL so that they never collide with the level's
  // textures in the same context.
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               image.rgba.data());
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  writeInt32(record + texture::pixelOffset, static_cast<std::int32_t>(name));
}

void uploadFileTextures(std::uint8_t* file) {
  const std::int32_t offset = readInt32(file + header::textureOffset);
  if (offset == 0) return;
  const std::int32_t count = readInt32(file + header::textureCount);
  for (int i = 0; i < count; ++i) {
    std::uint8_t* record = file + offset + i * texture::size;
    const std::uint8_t* pixels = file + readInt32(record + texture::pixelOffset);
    const std::int64_t area = static_cast<std::int64_t>(readInt32(record + texture::width)) *
                              readInt32(record + texture::height);
    uploadTexture(record, pixels, pixels + area);
  }
}

void ModelInstance::releaseTextures() {
  std::uint8_t* file = textureHeader.data;
  if (file == nullptr || !texturesUploaded_) return;
  texturesUploaded_ = false;
  const std::int32_t offset = readInt32(file + header::textureOffset);
  if (offset == 0) return;
  const std::int32_t count = readInt32(file + header::textureCount);
  for (int i = 0; i < count; ++i) {
    std::uint8_t* record = file + offset + i * texture::size;
    const GLuint name = static_cast<GLuint>(readInt32(record + texture::pixelOffset));
    glDeleteTextures(1, &name);
    writeInt32(record + texture::pixelOffset, 0);
  }
}
