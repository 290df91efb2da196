#pragma once
// The whole state of a game in one record. The program has one instance,
// `game`; gameplay steps take the record by reference, so tests build their
// own. Nothing resets it between games of one program run.

#include <cstdint>

#include "game/enemy_table.h"
#include "game/game_state.h"
#include "game/impact_point.h"
#include "game/player_collision.h"
#include "game/shot_sparks.h"
#include "model/enemy_figure.h"

struct Game {
  PlayerState player;
  GameFlags flags;
  SwitchLatches latches;
  PlayerCollision collision;
  EnemyTable enemies;
  EnemyFigureState figures;
  ShotState shot;
  ImpactPoint impact;
  SparkStore sparks;
  FrameRateState frameRate;
  // Size of the game window in pixels, as passed to runGame.
  std::int32_t screenWidth = 0;
  std::int32_t screenHeight = 0;
};

extern Game game;

// Puts every field back to its start value and releases loaded figures.
void resetGame(Game& state);
