#include "game/enemies.h"

#include <cmath>

#include "game/game.h"
#include "game/view_frustum.h"
#include "model/model_reach.h"
#include "game/enemy_figure.h"
#include "game/frame_clock.h"
#include "platform/platform.h"
#include "world/level.h"

const char* const enemyFigureFile = "Data/MODELS/gign.mdl";

namespace {

constexpr int walkSequence = 4;
constexpr std::int32_t startHealth = 25;
constexpr float walkStep = 0.05f;
constexpr float fireRange = 15.0f;
const char* const hitSound = "data/wav/hit.wav";

// Truncation toward zero of a float; values far outside the grid stay far
// outside instead of wrapping.
std::int32_t truncatedCell(float value) {
  if (!(value > -1.0e6f && value < 1.0e6f)) return -1;
  return static_cast<std::int32_t>(value);
}

bool gridCellOpen(const LevelData& level, std::int32_t column, std::int32_t row) {
  if (column < 0 || row < 0 || column >= levelGridSide || row >= levelGridSide) return false;
  return level.levelGrid[levelGridSide * column + row] != 0;
}

std::int32_t enemyColumn(float x) { return truncatedCell((x - 1.0f) * 0.5f + 1.0f); }
std::int32_t enemyRow(float z) { return truncatedCell((z + 1.0f) * -0.5f + 1.0f); }

void spawnEnemy(Enemy& enemy, const LevelData& level, EnemyFigureState& figures,
                GameRandom& random) {
  enemy.placed = pickRandomOpenCell(level, figures, random);
  if (!enemy.placed) return;
  enemy.posX = 2.0f * static_cast<float>(figures.randomCellX - 1) + 1.0f;
  enemy.posZ = static_cast<float>(figures.randomCellY - 1) * -2.0f - 1.0f;
  enemy.walkDirection = nextRandom(random) % 5;
}

// The four direction tests run one after another, each on the direction the
// one before left, so a new direction drawn at a wall can be walked in the
// same frame. Direction 4 matches none.
void walk(Enemy& enemy, const LevelData& level, GameRandom& random) {
  const std::int32_t c = enemyColumn(enemy.posX);
  const std::int32_t r = enemyRow(enemy.posZ);
  struct Way {
    std::int32_t dc, dr;
    float* coordinate;
    float step;
  };
  const Way ways[4] = {{1, 0, &enemy.posX, walkStep},
                       {-1, 0, &enemy.posX, -walkStep},
                       {0, 1, &enemy.posZ, -walkStep},
                       {0, -1, &enemy.posZ, walkStep}};
  for (int direction = 0; direction < 4; ++direction) {
    if (enemy.walkDirection != direction) continue;
    const Way& way = ways[direction];
    if (gridCellOpen(level, c + way.dc, r + way.dr)) {
      *way.coordinate += way.step;
    } else {
      enemy.walkDirection = nextRandom(random) % 4;
    }
  }
}

// Samples the line to the eye once per world unit, the enemy's own cell
// first; any solid sample blocks the view.
bool lineOfSightClear(const Enemy& enemy, const LevelData& level) {
  float unitX = 0.0f, unitZ = 0.0f;
  if (enemy.distance > 0.0f) {
    unitX = enemy.toPlayerX / enemy.distance;
    unitZ = enemy.toPlayerZ / enemy.distance;
  }
  const std::int32_t samples = truncatedCell(enemy.distance);
  for (std::int32_t k = 0; k <= samples; ++k) {
    const float x = enemy.posX + static_cast<float>(k) * unitX;
    const float z = enemy.posZ + static_cast<float>(k) * unitZ;
    if (!enemyCellOpen(level, x, z)) return false;
  }
  return true;
}

// Every tenth frame the enemy measures the frame rate over those ten frames,
// so its fire rate follows the real speed of the game.
void measureFrameRate(Enemy& enemy, const FrameClock& clock) {
  enemy.rateCounter += 1;
  if (enemy.rateCounter % 10 != 0) return;
  const double now = frameClockSeconds(clock);
  const double elapsed = std::fabs(now - enemy.rateLastTime);
  enemy.rateLastTime = frameClockSeconds(clock);
  if (elapsed != 0.0) enemy.measuredFrameRate = 10.0 / elapsed;
}

// About two seconds of frames since the last shot. Without a measurement
// yet, the count of two seconds is unknown: one shot is allowed, not one in
// every frame until the tenth.
bool waitedLongEnough(const Enemy& enemy) {
  if (enemy.measuredFrameRate == 0.0) return !enemy.firedBeforeMeasurement;
  return enemy.shotCounter >= 2.0 * enemy.measuredFrameRate;
}

bool readyToFire(const Enemy& enemy) {
  return enemy.seesPlayer && enemy.distance >= 0.0f && enemy.distance <= fireRange &&
         waitedLongEnough(enemy) && enemy.health > 0;
}

void hitPlayer(PlayerState& player, float distance) {
  if (player.health > 0) {
    osServices().playSound(hitSound, os::SoundMode::async | os::SoundMode::noWait | os::SoundMode::noStop);
    double health = player.health - (15.0 - distance);
    if (!(health > 0.0)) health = 0.0;
    player.health = static_cast<std::int32_t>(health);
  }
  if (player.health == 0) player.dead = true;
}

}  // namespace

bool enemyCellOpen(const LevelData& level, float x, float z) {
  return gridCellOpen(level, enemyColumn(x), enemyRow(z));
}

std::string createEnemies(Game& state, const LevelData& level) {
  for (Enemy& enemy : state.enemies) {
    const std::string failure = loadEnemyModel(enemyFigureFile, enemy.model);
    if (!failure.empty()) return failure;
    enemy.reach = figureReach(enemy.model);
    spawnEnemy(enemy, level, state.figures, state.random);
    enemy.model.setSequence(walkSequence);
    enemy.alive = true;
  }
  for (Enemy& enemy : state.enemies) {
    enemy.shotCounter = 0;
    enemy.health = startHealth;
    enemy.rateCounter = 0;
    enemy.firedBeforeMeasurement = false;
  }
  return std::string();
}

void moveAndDrawEnemies(Game& state, const LevelData& level) {
  for (Enemy& enemy : state.enemies) enemy.seesPlayer = true;
  const PlayerState& player = state.player;
  // Figures that cannot reach the picture are animated but not drawn.
  const ViewFrustum frustum = currentViewFrustum();
  for (Enemy& enemy : state.enemies) {
    if (!enemy.placed) continue;
    EnemyDrawTransform& place = state.figures.drawTransform;
    // Drawn where it stood before this frame's step.
    place.x = enemy.posX;
    place.z = enemy.posZ;
    if (enemy.alive) walk(enemy, level, state.random);
    place.yaw = enemyFacingAngle(player.cameraX, player.cameraZ, enemy.posX, enemy.posZ);
    enemy.model.advanceAnimation(10.0f);
    float low[3], high[3];
    enemyFigureBounds(place, enemy.reach, low, high);
    if (boxMayBeVisible(frustum, low, high)) {
      drawEnemyModel(enemy.model, state.figures);
    } else {
      animateByWallClock(enemy.model, state.figures);
    }
    enemy.toPlayerX = -player.cameraX - enemy.posX;
    enemy.toPlayerZ = -player.cameraZ - enemy.posZ;
    enemy.distance = std::sqrt(enemy.toPlayerX * enemy.toPlayerX +
                               enemy.toPlayerZ * enemy.toPlayerZ);
    if (!lineOfSightClear(enemy, level)) enemy.seesPlayer = false;
    enemy.shotCounter += 1;
  }
}

void enemiesFire(Game& state) {
  for (Enemy& enemy : state.enemies) {
    if (!enemy.placed) continue;
    measureFrameRate(enemy, state.clock);
    if (!readyToFire(enemy)) continue;
    enemy.shotCounter = 0;
    if (enemy.measuredFrameRate == 0.0) enemy.firedBeforeMeasurement = true;
    hitPlayer(state.player, enemy.distance);
  }
}
