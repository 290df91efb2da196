#pragma once
// What the game tests share: key states and a fresh start of the game record.

#include <array>
#include <initializer_list>

#include "game/controls.h"
#include "game/game.h"
#include "world/collision_models.h"

using KeyState = std::array<unsigned char, 256>;

inline KeyState keysDown(std::initializer_list<std::uint8_t> codes) {
  KeyState keys{};
  for (std::uint8_t code : codes) keys[code] = 0x80;
  return keys;
}

inline void resetGameGlobals() { resetGame(game); }

// The program's three collision models, as the game passes them.
inline CollisionModels gameModels() {
  return CollisionModels{worldCollisionModel, playerBoxModel, secondPlayerBoxModel};
}
