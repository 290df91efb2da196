// One frame of the game (camera, world pass, collision test, overlay) and the
// game scene set-up in a real offscreen context: for the shipped level and
// for the largest maze a level can hold.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <memory>

#include "coldet/coldet.h"
#include "render/scene_projection.h"
#include "tests/support/test_records.h"
#include "game/camera.h"
#include "game/game.h"
#include "game/player_collision.h"
#include "game/scene.h"
#include "game/world_pass.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "bench/largest_maze.h"
#include "tests/support/recording_os.h"
#include "world/level_loader.h"
#include "world/world_geometry.h"

namespace {

constexpr int frameWidth = 640;
constexpr int frameHeight = 480;

enum class Level { level1, largestMaze };

// The data folder becomes the working folder, as the game runs in it, and
// world().level holds the level; false (with the reason given to `state`) when
// either is missing.
bool prepareLevel(benchmark::State& state, Level level) {
  if (chdir(BRAKMOOR_DATA_DIR) != 0) {
    state.SkipWithError("no data folder");
    return false;
  }
  if (level == Level::largestMaze) {
    generateLargestMaze(world().level);
  } else if (!loadLevel(world().level, "data/LEVEL/level1.dat")) {
    state.SkipWithError("level1.dat missing");
    return false;
  }
  return true;
}

// The projection the game draws with: the figure loader's 47-degree
// perspective, in force from the game window's set-up on.
void setGameProjection() {
  game().screenWidth = frameWidth;
  game().screenHeight = frameHeight;
  setGameDrawingProjection();
}

// What one measured step does.
enum class FramePart { wholeFrame, collisionOnly };

// Every run turns the player once around on the start cell in equal steps,
// so runs of different lengths see the same views.
constexpr int framesPerTurn = 360;
constexpr int wholePassFramesPerTurn = 36;

void benchmarkFrames(benchmark::State& state, Level level, FramePart part, bool culling = true) {
  ScopedRecordingOs os;
  TestGlContext gl(frameWidth, frameHeight);
  if (!gl.ok()) {
    state.SkipWithError("no offscreen context");
    return;
  }
  if (!prepareLevel(state, level)) return;
  setGameProjection();
  if (setupGameScene(game(), world(), scene()) != sceneReady) {
    state.SkipWithError("scene set-up failed");
    return;
  }
  game().worldPass.cullingEnabled = culling;
  const float turnStep = 360.0f / static_cast<float>(state.max_iterations);
  std::int64_t drawn = 0;
  for (auto _ : state) {
    if (part == FramePart::wholeFrame) {
      runFrame(game(), world(), scene());
      glFinish();
      drawn += game().worldPass.trianglesDrawn;
    } else {
      placeCamera(game().player, world().level.startX, world().level.startY);
      setWorldCollisionTransform(world().models);
      glLoadIdentity();
      glTranslatef(0.0f, 0.0f, -0.25f);
      testPlayerCollision(game().collision, world().models, 0.0f, 0.0f);
    }
    game().player.heading += turnStep;
  }
  game().worldPass.cullingEnabled = true;
  state.counters["triangles"] = world().worldTriangleCount();
  if (part == FramePart::wholeFrame) {
    state.counters["drawn"] = benchmark::Counter(static_cast<double>(drawn), benchmark::Counter::kAvgIterations);
  }
}

// setupGameScene in a fresh context each time, as the game window gets one
// at the start and after every full-screen switch.
void benchmarkSetup(benchmark::State& state, Level level) {
  ScopedRecordingOs os;
  if (!prepareLevel(state, level)) return;
  for (auto _ : state) {
    state.PauseTiming();
    auto gl = std::make_unique<TestGlContext>(frameWidth, frameHeight);
    setGameProjection();
    state.ResumeTiming();
    const std::int32_t result = setupGameScene(game(), world(), scene());
    state.PauseTiming();
    gl.reset();
    state.ResumeTiming();
    if (result != sceneReady) {
      state.SkipWithError("scene set-up failed");
      return;
    }
  }
  state.counters["triangles"] = world().worldTriangleCount();
}

void BM_FrameLevel1(benchmark::State& state) { benchmarkFrames(state, Level::level1, FramePart::wholeFrame); }
void BM_FrameLargestMaze(benchmark::State& state) {
  benchmarkFrames(state, Level::largestMaze, FramePart::wholeFrame);
}
// The same frames drawing the whole world array, for comparison.
void BM_FrameLevel1WholePass(benchmark::State& state) {
  benchmarkFrames(state, Level::level1, FramePart::wholeFrame, false);
}
void BM_FrameLargestMazeWholePass(benchmark::State& state) {
  benchmarkFrames(state, Level::largestMaze, FramePart::wholeFrame, false);
}
void BM_CollisionLevel1(benchmark::State& state) {
  benchmarkFrames(state, Level::level1, FramePart::collisionOnly);
}
void BM_CollisionLargestMaze(benchmark::State& state) {
  benchmarkFrames(state, Level::largestMaze, FramePart::collisionOnly);
}
void BM_SetupLevel1(benchmark::State& state) { benchmarkSetup(state, Level::level1); }
void BM_SetupLargestMaze(benchmark::State& state) { benchmarkSetup(state, Level::largestMaze); }

BENCHMARK(BM_FrameLevel1)->Unit(benchmark::kMillisecond)->Iterations(framesPerTurn);
BENCHMARK(BM_FrameLargestMaze)->Unit(benchmark::kMillisecond)->Iterations(framesPerTurn);
BENCHMARK(BM_FrameLevel1WholePass)->Unit(benchmark::kMillisecond)->Iterations(framesPerTurn);
BENCHMARK(BM_FrameLargestMazeWholePass)->Unit(benchmark::kMillisecond)->Iterations(wholePassFramesPerTurn);
BENCHMARK(BM_CollisionLevel1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CollisionLargestMaze)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetupLevel1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetupLargestMaze)->Unit(benchmark::kMillisecond);

}  // namespace
