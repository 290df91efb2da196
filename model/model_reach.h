#pragma once
// How far a loaded figure can reach from its origin in any pose: the room
// its culling box must leave, whatever the figure file.

class ModelInstance;

// A bound, in model units, on the distance of any vertex from the model
// origin over every frame of every sequence (the dying ones included), at
// the current controller settings. Each vertex hangs rigidly on one bone,
// and a bone's origin lies no further from its parent's than the largest
// translation its streams give it, so the bound is the longest bone chain
// plus the radius of the vertices on its last bone. It walks the streams'
// values once, without posing a single frame. 0 for an empty instance.
float figureReach(const ModelInstance& instance);
