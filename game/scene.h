#pragma once
// The game scene: preparing a fresh game window for play, and drawing and
// updating one frame.

#include <cstdint>

class CollisionModel3D;

// Loads the textures into the current context, sets the OpenGL state (depth
// test, fog, lighting), builds the fonts and the world and fills the
// collision models. 1 on success, 0 when the textures cannot be loaded.
std::int32_t setupGameScene(CollisionModel3D* worldModel,
                            CollisionModel3D* playerBox,
                            CollisionModel3D* secondPlayerBox);

// Draws one frame and runs the per-frame collision test; always 1.
std::int32_t runFrame(CollisionModel3D* worldModel,
                      CollisionModel3D* playerBox,
                      CollisionModel3D* secondPlayerBox);
