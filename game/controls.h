#pragma once
// The key table of the input step: held keys act in every pass they are
// down, switch keys once per press. It works on a plain 256-byte key state,
// so it does not care where the state came from.

#include "game/game.h"
#include "game/movement.h"

struct LevelData;
struct World;

struct KeyStepResult {
  bool endGame = false;            // Escape was down
  bool switchFullScreen = false;   // F1 went down
};

// Applies every key in table order, each on the state the keys before it
// left. Movement reads the collision state of the frame just drawn; the
// switches only change flags; the frame applies them (applyDrawingState).
// The last entry is the fire key (Right Ctrl), held: it fires the selected
// weapon along `level`'s grid.
KeyStepResult applyKeyTable(Game& state, const LevelData& level, const unsigned char* keyboard,
                            const MovementContext& movement);

// The movement rules' view of the frame just drawn: the collision switch,
// the side flags and the border of the last collided world wall.
MovementContext movementContextOfLastFrame(const Game& state, const World& world);
