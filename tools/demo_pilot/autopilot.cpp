#include "tools/demo_pilot/autopilot.h"

#include <cmath>
#include <algorithm>
#include <deque>

#include "game/enemy_figure.h"
#include "game/key_codes.h"
#include "game/mouse_look.h"
#include "tools/demo_pilot/pilot_platform.h"

namespace {

constexpr float degreesPerPixel = 0.05f;
constexpr float pi = 3.14159265f;
constexpr int unreachable = 1 << 30;
constexpr std::int64_t lastFrame = 12000;

float wrapDegrees(float angle) {
  while (angle > 180.0f) angle -= 360.0f;
  while (angle < -180.0f) angle += 360.0f;
  return angle;
}

// The heading that looks along (dx, dz): forward is (-sin, -cos).
float headingToward(float dx, float dz) { return std::atan2(-dx, -dz) * 180.0f / pi; }

struct Eye {
  float x, z;
};

Eye eyeOf(const Game& game, const LevelData& level) {
  return {static_cast<float>(2 * level.startX - 1) + game.player.offsetX,
          static_cast<float>(1 - 2 * level.startY) + game.player.offsetZ};
}

void press(PilotPlatform& platform, std::uint8_t key) { platform.keys[key] = 0x80; }

}  // namespace

Autopilot::Autopilot(PilotPlan plan, const LevelData& level)
    : plan_(plan), level_(level), distance_(levelGridSide * levelGridSide, unreachable) {
  if (plan_ != PilotPlan::walk) return;
  // The far hall: the open cell the longest walk away from the start.
  distancesTo({level.startX, level.startY});
  Cell farthest{level.startX, level.startY};
  for (int x = 1; x <= level.sizeX; ++x) {
    for (int y = 1; y <= level.sizeY; ++y) {
      const int d = distance_[x * levelGridSide + y];
      if (d != unreachable && d > distance_[farthest.x * levelGridSide + farthest.y]) farthest = {x, y};
    }
  }
  distancesTo(farthest);
}

bool Autopilot::open(int x, int y) const {
  return x >= 1 && y >= 1 && x <= level_.sizeX && y <= level_.sizeY && levelCell(level_, x, y) != 0;
}

void Autopilot::distancesTo(Cell target) {
  if (target.x == target_.x && target.y == target_.y) return;
  target_ = target;
  std::fill(distance_.begin(), distance_.end(), unreachable);
  std::deque<Cell> queue{target};
  distance_[target.x * levelGridSide + target.y] = 0;
  while (!queue.empty()) {
    const Cell cell = queue.front();
    queue.pop_front();
    const int next = distance_[cell.x * levelGridSide + cell.y] + 1;
    for (const Cell step : {Cell{1, 0}, Cell{-1, 0}, Cell{0, 1}, Cell{0, -1}}) {
      const Cell to{cell.x + step.x, cell.y + step.y};
      if (!open(to.x, to.y) || distance_[to.x * levelGridSide + to.y] <= next) continue;
      distance_[to.x * levelGridSide + to.y] = next;
      queue.push_back(to);
    }
  }
}

Autopilot::Cell Autopilot::eyeCell(const Game& game) const {
  const Eye eye = eyeOf(game, level_);
  return {static_cast<int>(std::lround((eye.x + 1.0f) / 2.0f)),
          static_cast<int>(std::lround((1.0f - eye.z) / 2.0f))};
}

void Autopilot::turnTo(float heading, const Game& game, PilotPlatform& platform) {
  float turn = wrapDegrees(heading - game.player.heading);
  if (turn > 12.0f) turn = 12.0f;
  if (turn < -12.0f) turn = -12.0f;
  // Mouse look adds (centre - x) * 0.05 degrees to the heading.
  platform.cursor.x = mouseLookCentreX - static_cast<int>(std::lround(turn / degreesPerPixel));
}

void Autopilot::walkOn(const Game& game, PilotPlatform& platform) {
  const Cell here = eyeCell(game);
  Cell next = here;
  int best = open(here.x, here.y) ? distance_[here.x * levelGridSide + here.y] : unreachable;
  for (const Cell step : {Cell{1, 0}, Cell{-1, 0}, Cell{0, 1}, Cell{0, -1}}) {
    const Cell to{here.x + step.x, here.y + step.y};
    if (open(to.x, to.y) && distance_[to.x * levelGridSide + to.y] < best) {
      best = distance_[to.x * levelGridSide + to.y];
      next = to;
    }
  }
  if (best == 0 && next.x == here.x && next.y == here.y) arrived_ = true;
  const Eye eye = eyeOf(game, level_);
  // Off the line between the two cells' middles a corner may be in the
  // way: back to the middle of this cell first.
  const float sideways = next.x != here.x ? eye.z - static_cast<float>(1 - 2 * here.y)
                                          : eye.x - static_cast<float>(2 * here.x - 1);
  if (std::fabs(sideways) > 0.3f) next = here;
  const float dx = static_cast<float>(2 * next.x - 1) - eye.x;
  const float dz = static_cast<float>(1 - 2 * next.y) - eye.z;
  if (dx * dx + dz * dz < 0.04f) return;
  const float heading = headingToward(dx, dz);
  turnTo(heading, game, platform);
  if (std::fabs(wrapDegrees(heading - game.player.heading)) < 25.0f) press(platform, scanCode::up);
}

// Turns to the nearest enemy that sees the player, walks up to it and taps
// the fire key when it stands in the sights. False when none is in sight.
bool Autopilot::fight(const Game& game, PilotPlatform& platform, bool fire) {
  const Enemy* nearest = nullptr;
  for (const Enemy& enemy : game.enemies.enemy) {
    if (!enemy.placed || !enemy.alive || enemy.health <= 0 || !enemy.seesPlayer) continue;
    if (enemy.distance > 12.0f) continue;
    if (nearest == nullptr || enemy.distance < nearest->distance) nearest = &enemy;
  }
  if (nearest == nullptr) return false;
  const float heading = headingToward(-nearest->toPlayerX, -nearest->toPlayerZ);
  turnTo(heading, game, platform);
  const float error = std::fabs(wrapDegrees(heading - game.player.heading));
  // The fighter keeps its distance; the one who will not fire walks close.
  if (nearest->distance > (fire ? 4.0f : 1.5f) && error < 20.0f) press(platform, scanCode::up);
  if (fire && error < 1.0f && nearest->distance < 8.0f && frame_ - lastShot_ >= 10) {
    if (game.player.rifleAmmo <= 0) press(platform, scanCode::digit2);
    press(platform, scanCode::rightControl);
    lastShot_ = frame_;
  }
  return true;
}

void Autopilot::followSwitchScript(PilotPlatform& platform) {
  static const std::uint8_t taps[] = {scanCode::b, scanCode::f, scanCode::c, scanCode::d,
                                      scanCode::h, scanCode::w, scanCode::s, scanCode::m,
                                      scanCode::b, scanCode::f, scanCode::c, scanCode::d,
                                      scanCode::h, scanCode::w, scanCode::s, scanCode::m,
                                      scanCode::digit2, scanCode::rightControl, scanCode::digit1,
                                      scanCode::rightControl, scanCode::f1, scanCode::f1};
  constexpr std::int64_t spacing = 25;
  const std::int64_t tap = frame_ / spacing;
  if (tap < static_cast<std::int64_t>(sizeof taps) && frame_ % spacing < 2) press(platform, taps[tap]);
  // Between the switches the player walks a little and looks about.
  if (tap % 3 == 0) press(platform, scanCode::up);
  if (tap % 4 == 1) platform.cursor.x = mouseLookCentreX + 20;
  if (tap >= static_cast<std::int64_t>(sizeof taps) + 2) press(platform, scanCode::escape);
}

void Autopilot::steer(const Game& game, PilotPlatform& platform) {
  ++frame_;
  for (unsigned char& key : platform.keys) key = 0;
  platform.cursor = {mouseLookCentreX, mouseLookCentreY};
  if (frame_ >= lastFrame) {
    press(platform, scanCode::escape);
    return;
  }
  if (plan_ == PilotPlan::switches) {
    followSwitchScript(platform);
    return;
  }
  if (fight(game, platform, plan_ != PilotPlan::death)) return;
  if (plan_ == PilotPlan::walk) {
    if (!arrived_) walkOn(game, platform);
    if (arrived_) press(platform, scanCode::escape);
    return;
  }
  // Hunting: the way to the nearest living enemy.
  const Enemy* nearest = nullptr;
  for (const Enemy& enemy : game.enemies.enemy) {
    if (!enemy.placed || !enemy.alive || enemy.health <= 0) continue;
    if (nearest == nullptr || enemy.distance < nearest->distance) nearest = &enemy;
  }
  if (nearest == nullptr) {
    if (allDeadAt_ < 0) allDeadAt_ = frame_;
    if (frame_ - allDeadAt_ > 60) press(platform, scanCode::escape);
    return;
  }
  distancesTo({static_cast<int>(std::lround((nearest->posX + 1.0f) / 2.0f)),
               static_cast<int>(std::lround((1.0f - nearest->posZ) / 2.0f))});
  walkOn(game, platform);
}

std::uint32_t seedWithEnemiesNearStart(const LevelData& level) {
  Autopilot measure(PilotPlan::fight, level);
  measure.distancesTo({level.startX, level.startY});
  std::uint32_t best = 1;
  int bestFarthest = unreachable;
  for (std::uint32_t seed = 1; seed <= 20000; ++seed) {
    // As the game places its enemies right after seeding.
    GameRandom random;
    seedRandom(random, seed);
    EnemyFigureState figures;
    int farthest = 0;
    for (int i = 0; i < MAX_ENEMIES; ++i) {
      if (!pickRandomOpenCell(level, figures, random)) return best;
      nextRandom(random);
      farthest = std::max(farthest, measure.distance_[figures.randomCellX * levelGridSide + figures.randomCellY]);
    }
    if (farthest < bestFarthest) {
      bestFarthest = farthest;
      best = seed;
    }
  }
  return best;
}
