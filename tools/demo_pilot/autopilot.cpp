#include "tools/demo_pilot/autopilot.h"

#include <array>
#include <cmath>
#include <algorithm>
#include <cstdio>
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

// The middle of cell (x, y) in world units: cells are two units wide, x
// runs east and the rows run north toward negative z.
float cellMiddleX(int x) { return static_cast<float>(2 * x - 1); }
float cellMiddleZ(int y) { return static_cast<float>(1 - 2 * y); }

struct Eye {
  float x, z;
};

Eye eyeOf(const Game& game, const LevelData& level) {
  return {cellMiddleX(level.startX) + game.player.offsetX, cellMiddleZ(level.startY) + game.player.offsetZ};
}

void press(PilotPlatform& platform, std::uint8_t key) { platform.keys[key] = 0x80; }

// The moves plan, step by step. The player starts in the middle of cell
// (8, 34), facing north, in a room of three by three cells: its south wall
// (row 32) and west wall (column 6) are solid from end to end, a pillar
// fills cell (10, 34) east of the start, and the north wall (row 36) is open
// only north of the start.
enum class Until {
  passes,    // `passes` passes
  faced,     // the view turned to the heading `a`
  arrived,   // the eye in the middle of cell (a, b)
  southOf,   // the eye south of the middle of row `b`
  northOf,   // the eye north of it
  pulled,    // the fire key up for `passes` passes, then down exactly `a`
             // milliseconds after the last pull (the pass before takes longer)
};

using Keys = std::array<std::uint8_t, 8>;  // 0 ends the list

struct MoveStep {
  Until until;
  int passes;  // how long it lasts, or at most (all but `pulled`)
  Keys keys;   // held throughout
  int cursorX, cursorY;  // pixels from the centre, in every pass
  float a, b;
  int tapEvery;  // the fire key down in one pass of every `tapEvery`
};

MoveStep hold(int passes, Keys keys, int cursorX = 0, int cursorY = 0, int tapEvery = 0) {
  return {Until::passes, passes, keys, cursorX, cursorY, 0, 0, tapEvery};
}
MoveStep walkTo(int x, int y) { return {Until::arrived, 100, {}, 0, 0, float(x), float(y), 0}; }
MoveStep face(float heading) { return {Until::faced, 60, {}, 0, 0, heading, 0, 0}; }
MoveStep pass(Until side, int row, Keys keys) { return {side, 80, keys, 0, 0, 0, float(row), 0}; }
MoveStep pull(float milliseconds, int released = 3, Keys keys = {}) {
  return {Until::pulled, released, keys, 0, 0, milliseconds, 0, 0};
}

void pressAll(PilotPlatform& platform, const Keys& keys) {
  for (const std::uint8_t key : keys) {
    if (key != 0) press(platform, key);
  }
}

std::vector<MoveStep> movesScript() {
  using namespace scanCode;
  std::vector<MoveStep> script = {
      // Held from the first pass on: C and H count as held at the start, so
      // they change nothing, and the fire key held since then never fires.
      // Backward and left into the south-west corner.
      hold(55, {down, left, c, h, rightControl}),
      hold(4, {}),
      hold(20, {right}),
      // Without collision backward through the south wall into row 31 (the
      // touching back drops the second backward step) and forward again.
      hold(1, {c, h}),
      hold(3, {}),
      pass(Until::southOf, 31, {down}),
      pass(Until::northOf, 33, {up}),
      hold(1, {c, h}),
      hold(2, {}),
      // Each wall face met at a shallow angle: touched by a side of the
      // player box, slid along, and on into a corner or past the wall's end.
      walkTo(9, 33), face(120), hold(60, {up}),     // the south wall on the left, sliding west
      face(30), hold(60, {up}),                     // the west wall on the left, sliding north
      walkTo(9, 35), face(-60), hold(45, {up}),     // the north wall on the left, sliding east
      walkTo(9, 35), walkTo(9, 33), face(-30), hold(40, {up}),  // the pillar on the right, sliding north
      walkTo(9, 35), face(-160), hold(40, {up}),    // the pillar on the left, sliding south
      walkTo(7, 33), face(-120), hold(40, {up}),    // the south wall on the right, sliding east
      // Backward along the south wall: the second step goes on regardless,
      // into the wall, where only collision switched off gets the player out.
      walkTo(9, 33), face(-60), hold(25, {down}), hold(1, {c}), walkTo(9, 33), hold(1, {c}),
      // Sideways into the pillar and the west wall.
      walkTo(9, 34), face(0), hold(20, {right}),
      walkTo(7, 34), face(0), hold(20, {left}),
      // Every movement key at once, with both weapon keys and the fire key.
      walkTo(8, 34), face(0), hold(20, {up, down, left, right, digit1, digit2, rightControl}),
      // The pitch far past its upper limit at once, through its whole range
      // and past the lower one, then far past the upper one again.
      hold(1, {}, 0, -1000), hold(70, {}, 0, 20), hold(1, {}, 0, -2000), hold(30, {}, 0, 4),
      // The fire key at the re-trigger times: held it fires once; released
      // 99 ms does not fire, 100 ms does; the laser waits 500 ms, also
      // when chosen with the key held or in the pass of a pull.
      face(0), hold(10, {digit1, rightControl}), pull(99), pull(100),
      hold(6, {rightControl, digit2}), pull(100), pull(499), pull(500),
      hold(3, {rightControl}), pull(100, 3, {digit1}), pull(100, 3, {digit2}),
      // Round and round, walking and side-stepping, the rifle tapped once in
      // 7 passes (about 105 ms, it fires) and once in 6 (about 90 ms, it
      // does not).
      hold(120, {up, left, digit1}, -40, 0, 7),
      hold(25, {}, 0, 0, 6),
  };
  // Both weapons emptied, then pulled when empty.
  for (int shot = 0; shot < 12; ++shot) script.push_back(pull(100, 1, {digit1}));
  for (int shot = 0; shot < 19; ++shot) script.push_back(pull(500, 1, {digit2}));
  for (const Keys keys : {Keys{digit1}, Keys{digit2}}) script.push_back(pull(500, 2, keys));
  script.push_back(hold(10, {}));
  return script;
}

const std::vector<MoveStep>& moves() {
  static const std::vector<MoveStep> script = movesScript();
  return script;
}

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
  const float sideways = next.x != here.x ? eye.z - cellMiddleZ(here.y) : eye.x - cellMiddleX(here.x);
  if (std::fabs(sideways) > 0.3f) next = here;
  const float dx = cellMiddleX(next.x) - eye.x;
  const float dz = cellMiddleZ(next.y) - eye.z;
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

void Autopilot::prepare(PilotPlatform& platform) const {
  if (plan_ != PilotPlan::moves) return;
  // The frame clock is then the millisecond clock, which wraps around
  // about two seconds into the game.
  platform.millisecondClockOnly = true;
  platform.millisecondClockStart = 0u - 3000u;
  pressAll(platform, moves().front().keys);
}

void Autopilot::followMovesScript(const Game& game, PilotPlatform& platform) {
  const std::vector<MoveStep>& script = moves();
  if (pullExpectedAt_ >= 0.0 && game.player.lastFireTime != pullExpectedAt_) {
    std::fprintf(stderr, "moves: the pull of step %zu came at %.0f ms, not %.0f\n", moveStep_ - 1,
                 game.player.lastFireTime, pullExpectedAt_);
  }
  pullExpectedAt_ = -1.0;
  for (; moveStep_ < script.size(); ++moveStep_, moveStepStart_ = frame_) {
    const MoveStep& step = script[moveStep_];
    const std::int64_t pass = frame_ - moveStepStart_;
    if (pass >= step.passes + (step.until == Until::pulled ? 1 : 0)) continue;
    const Eye eye = eyeOf(game, level_);
    const float rowZ = cellMiddleZ(static_cast<int>(step.b));
    if (step.until == Until::southOf && eye.z > rowZ) continue;
    if (step.until == Until::northOf && eye.z < rowZ) continue;
    if (step.until == Until::arrived) {
      const float dx = cellMiddleX(static_cast<int>(step.a)) - eye.x;
      const float dz = rowZ - eye.z;
      if (dx * dx + dz * dz < 0.0225f) continue;
      const float heading = headingToward(dx, dz);
      turnTo(heading, game, platform);
      if (std::fabs(wrapDegrees(heading - game.player.heading)) < 25.0f) press(platform, scanCode::up);
    }
    if (step.until == Until::faced) {
      if (std::fabs(wrapDegrees(step.a - game.player.heading)) < 0.05f) continue;
      turnTo(step.a, game, platform);
    }
    pressAll(platform, step.keys);
    if (step.cursorX != 0 || step.cursorY != 0) {
      platform.cursor = {mouseLookCentreX + step.cursorX, mouseLookCentreY + step.cursorY};
    }
    if (step.tapEvery > 0 && pass % step.tapEvery == 0) press(platform, scanCode::rightControl);
    if (step.until == Until::pulled && pass == step.passes) {
      press(platform, scanCode::rightControl);
      // An empty weapon is pulled when it comes; a loaded one exactly on
      // time: the next pass starts 10 ms before its pull, as the frame's
      // wait ends at its start plus 10 ms and nothing then reads a later
      // millisecond.
      if (platform.keys[scanCode::digit2] == 0 &&
          (platform.keys[scanCode::digit1] != 0 || game.player.rifleSelected)) {
        if (game.player.rifleAmmo == 0) return;
      } else if (game.player.laserAmmo == 0) {
        return;
      }
      pullExpectedAt_ = game.player.lastFireTime + step.a;
      platform.holdUntil(game.clock.coarseStart + static_cast<std::uint32_t>(pullExpectedAt_ - 10.0));
    }
    return;
  }
  press(platform, scanCode::escape);
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
  if (plan_ == PilotPlan::moves) {
    followMovesScript(game, platform);
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
