#pragma once
// The OpenGL state the game draws with: textures, additive blending where
// blending is on, depth test, grey linear fog and full ambient light.

struct AppliedDrawingSwitches;
struct GameFlags;

// Sets everything a fresh game context needs before the first frame.
void setGameRenderState();

// The one place the key switches reach OpenGL, at the start of every frame,
// each switch that changed since `applied`:
// - blending on: blending on and the depth test off (additive blending hides
//   nothing behind; the next text print turns the test on again, so only
//   this frame's world goes without it); off: blending off, depth test on;
// - line mode: outlined or filled polygons (the collision overlay's outline
//   ends in fill mode, which also ends a line mode until W is pressed again);
// - texture environment: blend or decal; until S is first pressed it stays
//   modulate, as the figure's texture upload leaves it.
void applyDrawingState(const GameFlags& flags, AppliedDrawingSwitches& applied);
