#pragma once
// Walking and side-stepping against the collision flags of the last frame,
// and the walking bob. Steps are per input pass, not per unit of time.

#include <cstdint>

#include "game/game_state.h"
#include "game/player_collision.h"

// What the collision rules look at when the player moves.
struct MovementContext {
  bool collisionEnabled;
  CollisionFlags flags;
  // Border of the last collided world wall (0 Top, 1 Bottom: walls along x;
  // 2 Left, 3 Right: walls along z); anything else means no slide.
  std::int32_t wallSide;
};

// Up arrow: one forward step as far as the walls allow; the bob advances.
void walkForward(PlayerState& player, const MovementContext& context);
// Down arrow: a backward step as far as the walls allow, plus one more
// whenever nothing touches behind; the bob goes back.
void walkBackward(PlayerState& player, const MovementContext& context);
// Left and Right arrows: a side step unless that side touches; the bob goes
// back.
void stepLeft(PlayerState& player, const MovementContext& context);
void stepRight(PlayerState& player, const MovementContext& context);
