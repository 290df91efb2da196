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
  // Particle by particle: a whole fresh store would be a large temporary.
  for (auto& burst : state.sparks.bursts) {
    for (Particle& particle : burst) particle = Particle{};
  }
  state.sparks.burstSlot = 0;
  state.sparks.spawnPending = false;
  state.sparks.particlesActive = false;
  state.frameRate = FrameRateState{};
  state.screenWidth = 0;
  state.screenHeight = 0;
}
