// One frame of the game (camera, world pass, collision test, overlay) in a
// real offscreen context: for the shipped level and for the largest maze a
// level can hold.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "coldet/coldet.h"
#include "game/camera.h"
#include "game/game.h"
#include "game/player_collision.h"
#include "game/scene.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "world/level_loader.h"
#include "world/world_geometry.h"

namespace {

constexpr int frameWidth = 640;
constexpr int frameHeight = 480;

// A binary-tree maze over the whole 253 x 253 grid: every odd cell is open
// and joined to its neighbour east or north, picked by a fixed generator.
void generateLargestMaze() {
  std::memset(&levelData, 0, sizeof levelData);
  levelData.sizeX = maxLevelSize;
  levelData.sizeY = maxLevelSize;
  levelData.startX = 1;
  levelData.startY = 1;
  std::uint32_t state = 12345;
  const auto open = [](int x, int y) { levelData.levelGrid[levelGridSide * x + y] = 1; };
  for (int x = 1; x <= maxLevelSize; x += 2) {
    for (int y = 1; y <= maxLevelSize; y += 2) {
      open(x, y);
      state = state * 1664525u + 1013904223u;
      const bool east = (state >> 16) & 1;
      if (east && x + 1 <= maxLevelSize) {
        open(x + 1, y);
      } else if (y + 1 <= maxLevelSize) {
        open(x, y + 1);
      }
    }
  }
}

// What one measured step does.
enum class FramePart { wholeFrame, collisionOnly };

void benchmarkFrames(benchmark::State& state, bool largestMaze, FramePart part) {
  ScopedRecordingOs os;
  TestGlContext gl(frameWidth, frameHeight);
  if (!gl.ok() || chdir(BRAKMOOR_DATA_DIR) != 0) {
    state.SkipWithError("no offscreen context or data folder");
    return;
  }
  if (largestMaze) {
    generateLargestMaze();
  } else if (!loadLevel("data/LEVEL/level1.dat")) {
    state.SkipWithError("level1.dat missing");
    return;
  }
  game.screenWidth = frameWidth;
  game.screenHeight = frameHeight;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(frameWidth) / frameHeight, 0.1f, 100.0);
  glMatrixMode(GL_MODELVIEW);
  CollisionModel3D* world = newCollisionModel3D(false);
  CollisionModel3D* box = newCollisionModel3D(false);
  CollisionModel3D* secondBox = newCollisionModel3D(false);
  const CollisionModels models{world, box, secondBox};
  if (setupGameScene(game, models) != 1) {
    state.SkipWithError("scene set-up failed");
    return;
  }
  for (auto _ : state) {
    if (part == FramePart::wholeFrame) {
      runFrame(game, models);
      glFinish();
    } else {
      placeCamera(game.player, levelData.startX, levelData.startY);
      setWorldCollisionTransform(models);
      glLoadIdentity();
      glTranslatef(0.0f, 0.0f, -0.25f);
      testPlayerCollision(game.collision, models, 0.0f, 0.0f);
    }
    game.player.heading += 1.0f;
  }
  state.counters["triangles"] = worldTriangleCount;
  delete world;
  delete box;
  delete secondBox;
}

void BM_FrameLevel1(benchmark::State& state) {
  benchmarkFrames(state, false, FramePart::wholeFrame);
}
void BM_FrameLargestMaze(benchmark::State& state) {
  benchmarkFrames(state, true, FramePart::wholeFrame);
}
void BM_CollisionLevel1(benchmark::State& state) {
  benchmarkFrames(state, false, FramePart::collisionOnly);
}
void BM_CollisionLargestMaze(benchmark::State& state) {
  benchmarkFrames(state, true, FramePart::collisionOnly);
}

BENCHMARK(BM_FrameLevel1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameLargestMaze)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollisionLevel1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CollisionLargestMaze)->Unit(benchmark::kMicrosecond);

}  // namespace
