#include "tests/unit/game/game_fixtures.h"

#include <cstring>

#include "game/controls.h"
#include "game/enemy_table.h"
#include "game/scene.h"
#include "world/world_geometry.h"

KeyState keysDown(std::initializer_list<std::uint8_t> codes) {
  KeyState keys{};
  for (std::uint8_t code : codes) keys[code] = 0x80;
  return keys;
}

void setLevel(const std::vector<std::string>& rows, std::int32_t startX, std::int32_t startY) {
  std::memset(&levelData, 0, sizeof levelData);
  levelData.sizeY = static_cast<std::int32_t>(rows.size());
  levelData.sizeX = rows.empty() ? 0 : static_cast<std::int32_t>(rows[0].size());
  levelData.startX = startX;
  levelData.startY = startY;
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (std::size_t column = 0; column < rows[row].size(); ++column) {
      const bool open = rows[row][column] != '#';
      levelData.levelGrid[levelGridSide * (column + 1) + (row + 1)] = open ? 1 : 0;
    }
  }
}

BuiltWorld::BuiltWorld()
    : world_(newCollisionModel3D(false)),
      playerBox_(newCollisionModel3D(false)),
      secondPlayerBox_(newCollisionModel3D(false)) {
  buildWorld(world_, playerBox_, secondPlayerBox_);
}

BuiltWorld::~BuiltWorld() {
  delete world_;
  delete playerBox_;
  delete secondPlayerBox_;
}

void BuiltWorld::pass(const KeyState& keys) {
  runFrame(world_, playerBox_, secondPlayerBox_);
  applyKeyTable(keys.data(), movementContextOfLastFrame());
}

void BuiltWorld::passes(const KeyState& keys, int count) {
  for (int i = 0; i < count; ++i) pass(keys);
}

void resetGameGlobals() {
  playerState = PlayerState{};
  gameFlags = GameFlags{};
  switchLatches = SwitchLatches{};
  playerCollision = PlayerCollision{};
  enemyTable = EnemyTable{};
}

float eyeX() { return 2.0f * levelData.startX - 1.0f + playerState.offsetX; }
float eyeZ() { return 1.0f - 2.0f * levelData.startY + playerState.offsetZ; }

