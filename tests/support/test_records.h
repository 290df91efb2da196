#pragma once
// The records a test program or benchmark works on, as the program's entry
// builds them: one world, one set of scene resources and a game record that
// each test may build afresh.

#include "game/game.h"
#include "render/scene_resources.h"
#include "world/world.h"

// Built on first use; the world keeps its level and triangles until a test
// changes them.
World& world();
SceneResources& scene();
Game& game();

// Replaces the game record with a new one from createGame (every field at
// its start value). References to the old record are void afterwards.
void startFreshGame();
