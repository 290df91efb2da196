#pragma once
// What the game tests share: key states, a corridor built in memory, and
// passes of the game run with the real world builder, collision library and
// frame, without a window.

#include <array>
#include <cstring>
#include <initializer_list>
#include <memory>

#include "coldet/coldet.h"
#include "game/controls.h"
#include "game/enemy_table.h"
#include "game/player_collision.h"
#include "game/scene.h"
#include "world/world_geometry.h"

using KeyState = std::array<unsigned char, 256>;

inline KeyState keysDown(std::initializer_list<std::uint8_t> codes) {
  KeyState keys{};
  for (std::uint8_t code : codes) keys[code] = 0x80;
  return keys;
}

// A corridor one cell wide from the start cell (1, 1) toward negative z: its
// side walls lie at offsetX -1 and +1, its end wall at offsetZ 1 - 2 * length.
inline void setCorridor(std::int32_t length) {
  std::memset(&levelData, 0, sizeof levelData);
  levelData.sizeX = levelData.startX = levelData.startY = 1;
  levelData.sizeY = length;
  for (std::int32_t row = 1; row <= length; ++row) levelData.levelGrid[levelGridSide + row] = 1;
}

// Collision models filled by buildWorld from levelData.
struct BuiltWorld {
  std::unique_ptr<CollisionModel3D> world{newCollisionModel3D(false)},
      box{newCollisionModel3D(false)}, secondBox{newCollisionModel3D(false)};

  BuiltWorld() { buildWorld(world.get(), box.get(), secondBox.get()); }
  std::int32_t setupScene() { return setupGameScene(world.get(), box.get(), secondBox.get()); }
  void frame() { runFrame(world.get(), box.get(), secondBox.get()); }
  // `count` frames, each followed by the input step with `keys`.
  void passes(const KeyState& keys, int count = 1) {
    for (int i = 0; i < count; ++i) {
      frame();
      applyKeyTable(keys.data(), movementContextOfLastFrame());
    }
  }
};

inline void resetGameGlobals() {
  playerState = PlayerState{};
  gameFlags = GameFlags{};
  switchLatches = SwitchLatches{};
  playerCollision = PlayerCollision{};
  enemyTable = EnemyTable{};
}
