#pragma once
// The player's two weapons: the fire key's step of the input pass. A shot is
// resolved at once along the view direction in 16 samples one world unit
// apart; enemies in front of the first solid cell take damage that falls with
// their distance, and a rifle shot that hits no enemy marks the impact point
// where the next frame's sparks start.

#include <cstdint>

struct Game;
struct LevelData;

// Sequences of an enemy killed by each weapon.
constexpr int rifleDyingSequence = 86;
constexpr int laserDyingSequence = 91;

// Runs in every input step in which the fire key is down. It always marks
// the spark burst of the next frame; the selected weapon fires when it has
// shots left and the key was up for at least its re-trigger time (holding
// the key renews the fire time every step, so it fires once).
void pullTrigger(Game& state, const LevelData& level);
