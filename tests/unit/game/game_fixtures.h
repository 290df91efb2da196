#pragma once
// What the game tests share: key states, the records and the names of a
// loaded figure's textures.

#include <array>
#include <initializer_list>
#include <vector>

#include "game/controls.h"
#include "tests/support/test_records.h"
#include "game/game.h"
#include "render/gl_api.h"

using KeyState = std::array<unsigned char, 256>;

inline KeyState keysDown(std::initializer_list<std::uint8_t> codes) {
  KeyState keys{};
  for (std::uint8_t code : codes) keys[code] = 0x80;
  return keys;
}


// The OpenGL names a loaded figure's texture records hold.
inline std::vector<GLuint> figureTextureNames(const ModelInstance& figure) {
  using namespace model_format;
  const std::uint8_t* file = figure.textureHeader.data;
  std::vector<GLuint> names;
  for (int i = 0; i < readInt32(file + header::textureCount); ++i) {
    const std::uint8_t* record = file + readInt32(file + header::textureOffset) + i * texture::size;
    names.push_back(static_cast<GLuint>(readInt32(record + texture::pixelOffset)));
  }
  return names;
}
