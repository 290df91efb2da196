#pragma once
// The game scene: preparing a fresh game window for play, and drawing and
// updating one frame.

#include <cstdint>

#include "world/collision_models.h"

struct Game;

// Loads the textures into the current context, sets the OpenGL state (depth
// test, fog, lighting), builds the fonts and the world, fills the collision
// models and creates the five enemies. 1 on success, 0 when the textures
// cannot be loaded.
std::int32_t setupGameScene(Game& state, const CollisionModels& models);
// The same for the program's one game, as the game window calls it.
std::int32_t setupGameScene(CollisionModel3D* worldModel, CollisionModel3D* playerBox,
                            CollisionModel3D* secondPlayerBox);

// Draws and updates one frame: camera, enemies, world, collision transform,
// heads-up display, weapon, player collision, frame rate and overlay. Always
// 1.
std::int32_t runFrame(Game& state, const CollisionModels& models);
