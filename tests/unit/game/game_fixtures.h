#pragma once
// What the game tests share: key states, the records, a corridor to shoot
// along and the names of a loaded figure's textures.

#include <array>
#include <initializer_list>
#include <vector>

#include "game/controls.h"
#include "game/enemies.h"
#include "tests/support/test_levels.h"
#include "game/game.h"
#include "render/gl_api.h"

using KeyState = std::array<unsigned char, 256>;

inline KeyState keysDown(std::initializer_list<std::uint8_t> codes) {
  KeyState keys{};
  for (std::uint8_t code : codes) keys[code] = 0x80;
  return keys;
}

// The corridor looked up from the eye at world (3, -1) toward -z (heading
// 0), so sample s of a shot lies s units up the corridor. Row r holds z in
// (-2r, 2 - 2r]: the first solid sample is 2 * rows - 1.
inline void corridor(int rows) {
  corridorAlongColumnTwo(rows);
  putEyeAt(3.0f, -1.0f);
}

// Enemy 0 `units` up the line of the shot, at the distance the frame just
// drawn measured.
inline Enemy& enemyAhead(float units) {
  Enemy& enemy = placeFirstEnemy(3.0f, -game().player.cameraZ - units);
  enemy.distance = units;
  return enemy;
}

// The real figures made for the level and none of them placed, so that a
// test places enemy 0 alone where it needs it.
inline void makeFiguresPlaceNone() {
  createEnemies(game(), world().level);
  for (Enemy& enemy : game().enemies) enemy.placed = false;
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
