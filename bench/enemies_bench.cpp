// What the five enemy figures cost: one frame of the shipped level without
// them, with them where they walk (mostly out of sight, so not drawn), and
// with all five drawn right in front of the eye, in a real offscreen context
// at 640 x 480.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>

#include "coldet/coldet.h"
#include "tests/support/test_records.h"
#include "game/game.h"
#include "game/scene.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "world/level.h"
#include "world/level_loader.h"

namespace {

enum class Figures { none, whereTheyWalk, allInView };

void frameOfLevel1(benchmark::State& state, Figures figures) {
  ScopedRecordingOs os;  // the frame limiter's sleeps pass on the fake clock, not in real time
  TestGlContext gl(640, 480);
  if (!gl.ok() || chdir(BRAKMOOR_DATA_DIR) != 0 || !loadLevel(world().level, "data/LEVEL/level1.dat")) {
    state.SkipWithError("no offscreen context or data");
    return;
  }
  startFreshGame();
  game().screenWidth = 640;
  game().screenHeight = 480;
  if (setupGameScene(game(), world(), scene()) != sceneReady) {
    state.SkipWithError("scene set-up failed");
    return;
  }
  // Enemies that never fire keep the player alive however long it runs; the
  // figures still walk, turn, animate and draw.
  for (Enemy& enemy : game().enemies) {
    enemy.placed = figures != Figures::none;
    enemy.health = 0;
  }
  for (auto _ : state) {
    if (figures == Figures::allInView) {
      // All five side by side three units ahead of the eye, whatever its heading.
      const float eyeX = -game().player.cameraX, eyeZ = -game().player.cameraZ;
      const float heading = game().player.heading * 0.017453292f;
      for (int i = 0; i < MAX_ENEMIES; ++i) {
        Enemy& enemy = game().enemies[i];
        enemy.alive = false;
        const float side = 0.5f * static_cast<float>(i - 2);
        enemy.posX = eyeX - 3.0f * std::sin(heading) + side * std::cos(heading);
        enemy.posZ = eyeZ - 3.0f * std::cos(heading) - side * std::sin(heading);
      }
    }
    runFrame(game(), world(), scene());
    glFinish();
    game().player.heading += 1.0f;
  }
}

void BM_FrameLevel1WithoutEnemies(benchmark::State& state) { frameOfLevel1(state, Figures::none); }
void BM_FrameLevel1WithEnemies(benchmark::State& state) {
  frameOfLevel1(state, Figures::whereTheyWalk);
}
void BM_FrameLevel1AllFiveInView(benchmark::State& state) {
  frameOfLevel1(state, Figures::allInView);
}

BENCHMARK(BM_FrameLevel1WithoutEnemies)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameLevel1WithEnemies)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameLevel1AllFiveInView)->Unit(benchmark::kMillisecond);

}  // namespace
