#pragma once
// A player that needs no hands: after each frame it looks at the game
// record and sets the keys and the mouse of the next frame. It walks the
// level's cells by the shortest way, turns with the mouse and taps the fire
// key when an enemy that sees it stands in its sights.

#include <cstdint>
#include <vector>

#include "game/game.h"
#include "world/level.h"

class PilotPlatform;

enum class PilotPlan {
  walk,         // from the start to the hall farthest from it, fighting on the way
  fight,        // hunt and kill all five enemies
  death,        // follow the nearest enemy without firing until the player dies
  switches,     // every drawing switch on and off, both weapons, F1 there and back
  moves,        // what the others never do: backward and side steps, every wall
                // face, the pitch limits, the fire key at its re-trigger times,
                // both weapons emptied, keys held at the start or together
};

// The seed, among the first thousands, whose five enemies start the
// shortest walk from the player.
std::uint32_t seedWithEnemiesNearStart(const LevelData& level);

class Autopilot {
 public:
  Autopilot(PilotPlan plan, const LevelData& level);
  // The platform as the plan wants it before the first pass.
  void prepare(PilotPlatform& platform) const;
  void steer(const Game& game, PilotPlatform& platform);
  std::int64_t frames() const { return frame_; }

 private:
  friend std::uint32_t seedWithEnemiesNearStart(const LevelData& level);
  struct Cell {
    int x, y;
  };
  void distancesTo(Cell target);
  // Keys and cursor toward the next cell on the way to the last target.
  void walkOn(const Game& game, PilotPlatform& platform);
  void turnTo(float heading, const Game& game, PilotPlatform& platform);
  bool fight(const Game& game, PilotPlatform& platform, bool fire);
  void followSwitchScript(PilotPlatform& platform);
  void followMovesScript(const Game& game, PilotPlatform& platform);
  Cell eyeCell(const Game& game) const;
  bool open(int x, int y) const;

  PilotPlan plan_;
  const LevelData& level_;
  std::vector<int> distance_;
  Cell target_{-1, -1};
  bool arrived_ = false;
  std::int64_t frame_ = 0;
  std::int64_t lastShot_ = 0;
  std::int64_t allDeadAt_ = -1;
  std::size_t moveStep_ = 0;
  std::int64_t moveStepStart_ = 0;
  double pullExpectedAt_ = -1.0;
};
