#pragma once
// The fire key's step of the input pass.

// Runs in every input step in which the fire key is down: marks the shot
// for the spark pass of the next frame. The weapons' own shot (ammunition,
// sound, hits) joins here.
void pullTrigger();
