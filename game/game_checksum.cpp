#include "game/game_checksum.h"

#include <cstring>

#include "game/game.h"

namespace {

// FNV-1a over each value's bytes. Values are fed one by one, never whole
// records, so padding bytes never reach the sum.
class Fnv {
 public:
  template <typename T>
  Fnv& operator<<(const T& value) {
    std::uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    sum_ = fnv1a(bytes, sizeof(T), sum_);
    return *this;
  }
  std::uint32_t sum() const { return sum_; }

 private:
  std::uint32_t sum_ = fnv1aStart;
};

std::uint32_t playerSum(const PlayerState& p) {
  Fnv f;
  f << p.offsetX << p.offsetZ << p.heading << p.pitch << p.bobAngle << p.bobOffset << p.rifleSelected
    << p.laserSelected << p.dead << p.lastFireTime << p.cameraX << p.cameraY << p.cameraZ;
  return f.sum();
}

std::uint32_t enemiesSum(const EnemyTable& enemies, const EnemyFigureState& figures) {
  Fnv f;
  f << figures.lastAnimationTime << figures.randomCellX << figures.randomCellY;
  for (const Enemy& e : enemies.enemy) {
    f << e.posX << e.posZ << e.walkDirection << e.alive << e.health << e.placed << e.seesPlayer
      << e.toPlayerX << e.toPlayerZ << e.distance << e.shotCounter << e.rateCounter
      << e.measuredFrameRate << e.rateLastTime << e.firedBeforeMeasurement;
  }
  return f.sum();
}

std::uint32_t shotSum(const ShotState& shot, const ImpactPoint& impact) {
  Fnv f;
  f << shot.shotDirX << shot.shotDirZ << shot.wallStep;
  for (int i = 0; i < MAX_ENEMIES; ++i) f << shot.hitStep[i] << shot.hitFlag[i];
  f << impact.impactX << impact.impactY << impact.impactZ;
  return f.sum();
}

std::uint32_t sparksSum(const SparkStore& store) {
  Fnv f;
  f << store.burstSlot << store.spawnPending << store.particlesActive;
  for (const auto& burst : store.bursts) {
    for (const Particle& p : burst) {
      // A dead particle's remains are never drawn nor moved again.
      if (p.life <= 0.0) continue;
      f << p.life << p.fade << p.corners << p.rotation << p.spin << p.position << p.velocity;
    }
  }
  return f.sum();
}

std::uint32_t switchesSum(const GameFlags& g, const SwitchLatches& l) {
  Fnv f;
  f << g.collisionEnabled << g.blendMode << g.showFps << g.showCollisionDebug << g.crosshairVisible
    << g.lineMode << g.textureEnvBlend << g.shotTriggered << l.blend << l.fps << l.collision
    << l.debug << l.crosshair << l.enemyWalk << l.lineMode << l.textureEnv << l.fullScreen;
  return f.sum();
}

}  // namespace

GameChecksum checksumGame(const Game& game) {
  GameChecksum sum;
  const PlayerState& p = game.player;
  auto set = [&sum](ChecksumPart part, std::uint32_t value) {
    sum.part[static_cast<int>(part)] = value;
  };
  set(ChecksumPart::player, playerSum(p));
  set(ChecksumPart::health, (Fnv() << p.health).sum());
  set(ChecksumPart::ammunition, (Fnv() << p.shownAmmo << p.rifleAmmo << p.laserAmmo).sum());
  set(ChecksumPart::enemies, enemiesSum(game.enemies, game.figures));
  set(ChecksumPart::shot, shotSum(game.shot, game.impact));
  set(ChecksumPart::sparks, sparksSum(game.sparks));
  set(ChecksumPart::random, (Fnv() << game.random.state).sum());
  set(ChecksumPart::switches, switchesSum(game.flags, game.latches));
  return sum;
}

const char* checksumPartName(int part) {
  static const char* const names[checksumPartCount] = {
      "player", "health", "ammunition", "enemies", "shot", "sparks", "random", "switches"};
  return part >= 0 && part < checksumPartCount ? names[part] : "?";
}

std::uint32_t fnv1a(const std::uint8_t* bytes, std::size_t size, std::uint32_t sum) {
  for (std::size_t i = 0; i < size; ++i) sum = (sum ^ bytes[i]) * 16777619u;
  return sum;
}
