#pragma once
// The five enemies: one record each, holding its animated figure, where it
// stands and walks, its health, what it sees of the player and the counters
// that pace its fire.

#include <cstdint>

#include "game/game_state.h"
#include "model/model_instance.h"

struct Enemy {
  ModelInstance model;
  // World position; the figure stands at height 0.4.
  float posX = 0.0f;
  float posZ = 0.0f;
  // 0 toward +x, 1 toward -x, 2 toward -z, 3 toward +z; 4 stands still.
  std::int32_t walkDirection = 0;
  bool alive = false;
  std::int32_t health = 0;
  // False when the level had no open cell to put the enemy on: it is then
  // neither drawn nor moved, it never fires and no shot finds it.
  bool placed = false;
  // How far the figure reaches from its origin in any pose, model units
  // (measured from the loaded files): the room its culling box leaves.
  float reach = 0.0f;
  // Recomputed every frame: the horizontal vector and distance to the eye,
  // and whether no solid cell lies on the sampled line between them.
  bool seesPlayer = false;
  float toPlayerX = 0.0f;
  float toPlayerZ = 0.0f;
  float distance = 0.0f;
  // Frames since the enemy last fired.
  std::int32_t shotCounter = 0;
  // The enemy's own frame-rate measurement, over the last 10 frames, which
  // turns "one shot per two seconds" into a frame count.
  std::int32_t rateCounter = 0;
  double measuredFrameRate = 0.0;
  double rateLastTime = 0.0;  // frame-clock seconds
  // Until the first measurement there is no frame count for two seconds; the
  // enemy's first shot may come at once, the next waits for a measurement.
  bool firedBeforeMeasurement = false;
};

struct EnemyTable {
  Enemy enemy[MAX_ENEMIES];

  Enemy& operator[](int i) { return enemy[i]; }
  const Enemy& operator[](int i) const { return enemy[i]; }
  Enemy* begin() { return enemy; }
  Enemy* end() { return enemy + MAX_ENEMIES; }
};
