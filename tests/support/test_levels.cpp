#include "tests/support/test_levels.h"

#include <cstring>

#include "world/level.h"

void openCells(std::int32_t size, std::initializer_list<std::pair<int, int>> cells) {
  LevelData& level = world().level;
  std::memset(&level, 0, sizeof level);
  level.sizeX = level.sizeY = size;
  level.startX = level.startY = 1;
  for (auto [x, y] : cells) level.levelGrid[levelGridSide * x + y] = 1;
}

void corridorAlongColumnTwo(int rows) {
  openCells(25, {});
  world().level.startX = 2;
  for (int row = 1; row <= rows; ++row) world().level.levelGrid[levelGridSide * 2 + row] = 1;
}

void putEyeAt(float x, float z) {
  game().player.cameraX = -x;
  game().player.cameraZ = -z;
}

Enemy& placeFirstEnemy(float x, float z, int direction) {
  Enemy& enemy = game().enemies[0];
  enemy.placed = enemy.alive = true;
  enemy.posX = x;
  enemy.posZ = z;
  enemy.walkDirection = direction;
  enemy.health = 25;
  return enemy;
}
