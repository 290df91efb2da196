#pragma once
// What the game tests share: key states and a fresh start of the globals.

#include <array>
#include <initializer_list>

#include "game/controls.h"
#include "game/enemy_table.h"
#include "game/player_collision.h"

using KeyState = std::array<unsigned char, 256>;

inline KeyState keysDown(std::initializer_list<std::uint8_t> codes) {
  KeyState keys{};
  for (std::uint8_t code : codes) keys[code] = 0x80;
  return keys;
}

inline void resetGameGlobals() {
  playerState = PlayerState{};
  gameFlags = GameFlags{};
  switchLatches = SwitchLatches{};
  playerCollision = PlayerCollision{};
  enemyTable = EnemyTable{};
}
