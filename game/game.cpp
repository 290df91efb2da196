#include "game/game.h"

std::unique_ptr<Game> createGame() { return std::make_unique<Game>(); }
