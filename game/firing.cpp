#include "game/firing.h"

#include "game/game_state.h"

void pullTrigger() { gameFlags.shotTriggered = true; }
