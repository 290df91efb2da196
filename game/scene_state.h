#pragma once
// The OpenGL state the game draws with: textures, additive blending where
// blending is on, depth test, grey linear fog and full ambient light.

// Sets everything a fresh game context needs before the first frame.
void setGameRenderState();
