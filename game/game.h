#pragma once
// The whole state of a game in one record, built by createGame; gameplay
// steps take the record by reference, so tests and benchmarks build their
// own. Nothing resets it between games of one program run.

#include <cstdint>
#include <memory>
#include <string>

#include "game/enemy_figure.h"
#include "game/enemy_table.h"
#include "game/frame_clock.h"
#include "game/frame_pacing.h"
#include "game/game_random.h"
#include "game/game_state.h"
#include "game/impact_point.h"
#include "game/player_collision.h"
#include "game/shot_sparks.h"
#include "game/world_pass.h"

struct Game {
  PlayerState player;
  GameFlags flags;
  AppliedDrawingSwitches appliedSwitches;
  SwitchLatches latches;
  PlayerCollision collision;
  EnemyTable enemies;
  EnemyFigureState figures;
  ShotState shot;
  ImpactPoint impact;
  SparkStore sparks;
  FrameRateState frameRate;
  // Every random choice of the game: enemy places and walks, sparks.
  GameRandom random;
  // The one clock of frame times, started by the game loop, and the loop's
  // waits on it.
  FrameClock clock;
  FramePacing pacing;
  WorldPassState worldPass;
  // Size of the game window in pixels, as passed to runGame.
  std::int32_t screenWidth = 0;
  std::int32_t screenHeight = 0;
  // Why the enemy figure could not be loaded, when setupGameScene says so.
  std::string figureLoadFailure;
};

// A record with every field at its start value. On the heap: it holds the
// spark store and five figures' work storage, well over a megabyte.
std::unique_ptr<Game> createGame();
