#pragma once
// Shot sparks: each fire-key step throws a burst of small spinning triangles
// out of the impact point in the next frame. They fly, fall, slow down, spin
// and fade; 45 bursts live at once in a ring whose newest burst overwrites
// the oldest.

#include <cstdint>

#include "game/game_random.h"
#include "game/game_state.h"
#include "game/impact_point.h"
#include "render/texture_table.h"

constexpr int sparkBurstCount = 45;
constexpr int particlesPerBurst = 45;
// Particles below this index are filled at spawn but never moved or drawn.
constexpr int firstDrawnParticle = 8;

// One spark. Angles in degrees, speeds per frame.
struct Particle {
  double life = 0.0;  // live while above 0; also its alpha
  double fade = 0.0;  // taken off life and off each spin speed per frame
  double corners[3][3] = {};  // the triangle in the spark's own frame
  double rotation[3] = {};  // about x, y, z
  double spin[3] = {};
  double position[3] = {};
  double velocity[3] = {};
};

// Fixed in size and all zero (nothing live) at start, so the game never
// allocates while it runs.
struct SparkStore {
  Particle bursts[sparkBurstCount][particlesPerBurst];
  std::int32_t burstSlot = 0;  // slot of the newest burst
  bool spawnPending = false;
  bool particlesActive = false;
};

// Fills one burst with fresh random draws, every spark at the impact point.
void spawnSparkBurst(Particle (&burst)[particlesPerBurst], const ImpactPoint& impact,
                     GameRandom& random);

// Moves and draws every live spark under a billboard matrix of its own, then
// leaves texturing on, the additive blend function, texture 16 bound and the
// model-view matrix it found. Clears particlesActive once no spark is live.
void runSparkPass(SparkStore& store, const PlayerState& player, const TextureTable& textureTable);

// The frame step: a fire-key step since the last frame (shotTriggered, which
// it clears) starts a burst in the next ring slot; while sparks live, the pass.
void runShotSparks(SparkStore& store, bool& shotTriggered, const ImpactPoint& impact,
                   const PlayerState& player, const TextureTable& textureTable,
                   GameRandom& random);
