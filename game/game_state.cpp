#include "game/game_state.h"

PlayerState playerState;
GameFlags gameFlags;
std::int32_t screenWidth = 0;
std::int32_t screenHeight = 0;
std::int32_t frameBudget = 5;
