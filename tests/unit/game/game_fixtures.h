#pragma once
// What the game tests share: key states, small mazes built in memory, and
// input passes of the game run against them with the real world builder,
// collision library and frame, without a window.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "coldet/coldet.h"
#include "game/game_loop.h"

using KeyState = std::array<unsigned char, 256>;

KeyState keysDown(std::initializer_list<std::uint8_t> codes);

// Fills levelData from rows of '#' (solid) and '.' (open); the first string
// is row 1. The start cell is (startX, startY).
void setLevel(const std::vector<std::string>& rows, std::int32_t startX, std::int32_t startY);

// Fresh collision models filled by buildWorld from levelData; they live as
// long as the object.
class BuiltWorld {
 public:
  BuiltWorld();
  ~BuiltWorld();
  BuiltWorld(const BuiltWorld&) = delete;
  BuiltWorld& operator=(const BuiltWorld&) = delete;

  GameModels models() const { return {world_, playerBox_, secondPlayerBox_}; }
  // Draws one frame, then applies `keys` as the input step does.
  void pass(const KeyState& keys);
  void passes(const KeyState& keys, int count);

 private:
  CollisionModel3D* world_;
  CollisionModel3D* playerBox_;
  CollisionModel3D* secondPlayerBox_;
};

// Resets every global the game steps read or write.
void resetGameGlobals();

// Eye position in world coordinates for the current player state.
float eyeX();
float eyeZ();
