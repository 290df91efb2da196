#include "game/game.h"

Game game;

void resetGame(Game& state) {
  state.player = PlayerState{};
  state.flags = GameFlags{};
  state.latches = SwitchLatches{};
  state.collision = PlayerCollision{};
  for (Enemy& enemy : state.enemies) enemy = Enemy{};
  state.figures = EnemyFigureState{};
  state.shot = ShotState{};
  state.impact = ImpactPoint{};
  state.frameRate = FrameRateState{};
  state.screenWidth = 0;
  state.screenHeight = 0;
}
