#pragma once
// The first step of every frame: clear the picture and set the model-view
// matrix to the player's eye. The matrix stays in force while the enemies,
// the world and the sparks are drawn, and the world's collision transform
// is read from it.

#include <cstdint>

#include "game/game_state.h"

// startX and startY are the level's start cell; the eye stands at its centre
// plus the player's offsets, 0.8 above the floor plus the bob. Stores the
// negated eye position in player.cameraX/Y/Z.
// Leaves: a cleared picture, the model-view matrix current and set to the eye.
void placeCamera(PlayerState& player, std::int32_t startX, std::int32_t startY);
