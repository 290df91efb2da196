#pragma once
// What the collision state looks like on screen: a note while collision is
// switched off and, with the debug switch on, the touched sides' names and
// the player box drawn as an outline in front of the eye.

struct Game;
struct SceneResources;

// Expects the model-view matrix that placed the player box this frame.
// Leaves: filled polygons once the outline was drawn (also after W).
void drawCollisionOverlay(const Game& state, SceneResources& scene);
