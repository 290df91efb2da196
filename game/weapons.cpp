#include "game/weapons.h"

#include <cmath>

#include "game/game.h"
#include "game/shot_line.h"
#include "game/enemy_figure.h"
#include "game/frame_clock.h"
#include "platform/platform.h"
#include "world/level.h"

namespace {

struct Weapon {
  std::int32_t PlayerState::*shotsLeft;
  double retriggerMilliseconds;
  float hitRadius;
  const char* sound;
  os::SoundMode soundMode;
  int dyingSequence;
  bool marksImpact;  // only rifle misses move the sparks' impact point
};

const Weapon rifle{&PlayerState::rifleAmmo, 100.0, 0.5f, "data/wav/m16.wav",
                   os::SoundMode::async | os::SoundMode::noWait, rifleDyingSequence, true};
const Weapon laser{&PlayerState::laserAmmo, 500.0, 1.0f, "data/wav/laser.wav",
                   os::SoundMode::async | os::SoundMode::noWait | os::SoundMode::noStop,
                   laserDyingSequence, false};

ShotDirection aimAlongHeading(Game& state) {
  const ShotDirection direction = shotDirectionOfHeading(state.player.heading);
  state.shot.shotDirX = direction.x;
  state.shot.shotDirZ = direction.z;
  return direction;
}

// Dead enemies are in the way too; only enemies the level had no room for
// are not.
void findEnemiesOnTheLine(Game& state, ShotDirection direction, float hitRadius) {
  const PlayerState& player = state.player;
  for (int i = 0; i < MAX_ENEMIES; ++i) {
    const Enemy& enemy = state.enemies[i];
    if (!enemy.placed) continue;
    for (int s = 0; s < shotSampleCount; ++s) {
      const ShotSample p = shotSample(s, player.cameraX, player.cameraZ, direction);
      const float dx = enemy.posX - p.x;
      const float dz = enemy.posZ - p.z;
      if (std::sqrt(dx * dx + dz * dz) < hitRadius) {
        state.shot.hitStep[i] = s;
        state.shot.hitFlag[i] = true;
        break;
      }
    }
  }
}

// Damage uses each enemy's distance from the frame just drawn. True when
// any enemy was hit.
bool damageEnemies(Game& state, const Weapon& weapon) {
  bool anyHit = false;
  for (int i = 0; i < MAX_ENEMIES; ++i) {
    if (!state.shot.hitFlag[i] || state.shot.hitStep[i] >= state.shot.wallStep) continue;
    Enemy& enemy = state.enemies[i];
    enemy.health = static_cast<std::int32_t>(enemy.health - (15.0 - enemy.distance));
    anyHit = true;
    if (enemy.health <= 0) {
      setModelSequence(enemy.model, weapon.dyingSequence);
      enemy.alive = false;
    }
  }
  return anyHit;
}

void markImpact(Game& state) {
  const ShotState& shot = state.shot;
  state.impact.impactY = 10.0;
  state.impact.impactX = shot.wallStep * static_cast<double>(shot.shotDirX) - state.player.cameraX;
  state.impact.impactZ = shot.wallStep * static_cast<double>(shot.shotDirZ) - state.player.cameraZ;
}

void tryWeapon(Game& state, const LevelData& level, const Weapon& weapon) {
  PlayerState& player = state.player;
  const double elapsed = std::fabs(frameClockMilliseconds(state.clock) - player.lastFireTime);
  if (elapsed < weapon.retriggerMilliseconds) return;
  player.shownAmmo -= 1;
  player.*weapon.shotsLeft -= 1;
  osServices().playSound(weapon.sound, weapon.soundMode);
  const ShotDirection direction = aimAlongHeading(state);
  findEnemiesOnTheLine(state, direction, weapon.hitRadius);
  state.shot.wallStep = shotWallStep(level, player.cameraX, player.cameraZ, direction);
  const bool anyHit = damageEnemies(state, weapon);
  if (weapon.marksImpact && !anyHit) markImpact(state);
}

}  // namespace

void pullTrigger(Game& state, const LevelData& level) {
  ShotState& shot = state.shot;
  for (int i = 0; i < MAX_ENEMIES; ++i) {
    shot.hitStep[i] = -1;
    shot.hitFlag[i] = false;
  }
  state.flags.shotTriggered = true;
  PlayerState& player = state.player;
  if (player.rifleSelected && player.rifleAmmo > 0) {
    tryWeapon(state, level, rifle);
    player.lastFireTime = frameClockMilliseconds(state.clock);
  }
  if (player.laserSelected && player.laserAmmo > 0) {
    tryWeapon(state, level, laser);
    player.lastFireTime = frameClockMilliseconds(state.clock);
  }
}
