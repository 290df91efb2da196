#pragma once
// The five enemies as parallel arrays indexed by enemy number. For now the
// table holds what the player's controls and collision test touch; walking,
// drawing and fighting fill in the rest.

#include <cstdint>

constexpr int MAX_ENEMIES = 5;

struct EnemyTable {
  float posX[MAX_ENEMIES] = {};
  float posZ[MAX_ENEMIES] = {};
  bool alive[MAX_ENEMIES] = {};
  std::int32_t health[MAX_ENEMIES] = {};
};

extern EnemyTable enemyTable;
