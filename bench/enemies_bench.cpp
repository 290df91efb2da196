// What the five enemy figures cost: one frame of the shipped level with the
// enemies walking, animating and drawing, against the same frame without
// them, in a real offscreen context at 640 x 480.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include "coldet/coldet.h"
#include "game/game.h"
#include "game/scene.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "world/level.h"
#include "world/level_loader.h"

namespace {

void frameOfLevel1(benchmark::State& state, bool withEnemies) {
  ScopedRecordingOs os;  // the frame limiter's sleeps pass on the fake clock, not in real time
  TestGlContext gl(640, 480);
  if (!gl.ok() || chdir(BRAKMOOR_DATA_DIR) != 0 || !loadLevel("data/LEVEL/level1.dat")) {
    state.SkipWithError("no offscreen context or data");
    return;
  }
  resetGame(game);
  game.screenWidth = 640;
  game.screenHeight = 480;
  const CollisionModels models{newCollisionModel3D(false), newCollisionModel3D(false),
                               newCollisionModel3D(false)};
  if (setupGameScene(game, models) != 1) {
    state.SkipWithError("scene set-up failed");
    return;
  }
  // Enemies that never fire keep the player alive however long it runs; the
  // figures still walk, turn, animate and draw.
  for (Enemy& enemy : game.enemies) {
    enemy.placed = withEnemies;
    enemy.health = 0;
  }
  for (auto _ : state) {
    runFrame(game, models);
    glFinish();
    game.player.heading += 1.0f;
  }
  delete models.world;
  delete models.playerBox;
  delete models.secondPlayerBox;
}

void BM_FrameLevel1WithEnemies(benchmark::State& state) { frameOfLevel1(state, true); }
void BM_FrameLevel1WithoutEnemies(benchmark::State& state) { frameOfLevel1(state, false); }

BENCHMARK(BM_FrameLevel1WithEnemies)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameLevel1WithoutEnemies)->Unit(benchmark::kMillisecond);

}  // namespace
