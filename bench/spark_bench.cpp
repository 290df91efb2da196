// The shot-spark pass in a real offscreen context at 640 x 480: at the
// heaviest load (all 45 bursts freshly spawned, every drawn spark live) and
// with the fire key held (a new burst every frame, the oldest overwritten).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "game/camera.h"
#include "render/scene_projection.h"
#include "game/scene_state.h"
#include "game/shot_sparks.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"

namespace {

// The sparks bind no texture of their own; the one bound after them is 0 here.
const TextureTable noTextures = {};

constexpr int frameWidth = 640;
constexpr int frameHeight = 480;

// The shipped level's start cell; the impact point 4 units ahead of the eye.
struct SparkScene {
  PlayerState player;
  ImpactPoint impact;
  SparkScene() {
    setGameDrawingProjection();
    setGameRenderState();
    camera();
    impact.impactX = -player.cameraX;
    impact.impactZ = -4.0 - player.cameraZ;
  }
  void camera() { placeCamera(player, 8, 34); }
};

enum class SparkLoad { fullLoad, fireHeld };

void benchmarkSparkPass(benchmark::State& state, SparkLoad load) {
  TestGlContext gl(frameWidth, frameHeight);
  if (!gl.ok()) {
    state.SkipWithError("no offscreen context");
    return;
  }
  SparkScene scene;
  GameRandom random;
  const auto fullLoad = std::make_unique<SparkStore>();
  for (Particle(&burst)[particlesPerBurst] : fullLoad->bursts) {
    spawnSparkBurst(burst, scene.impact, random);
  }
  fullLoad->particlesActive = true;
  const auto store = std::make_unique<SparkStore>();
  for (auto _ : state) {
    state.PauseTiming();
    if (load == SparkLoad::fullLoad) *store = *fullLoad;
    scene.camera();
    glFinish();
    state.ResumeTiming();
    bool shotTriggered = load == SparkLoad::fireHeld;
    runShotSparks(*store, shotTriggered, scene.impact, scene.player, noTextures, random);
    glFinish();
  }
}

void BM_SparkPassFullLoad(benchmark::State& state) {
  benchmarkSparkPass(state, SparkLoad::fullLoad);
  state.counters["sparks"] = sparkBurstCount * (particlesPerBurst - firstDrawnParticle);
}
void BM_SparkPassFireHeld(benchmark::State& state) {
  benchmarkSparkPass(state, SparkLoad::fireHeld);
}

BENCHMARK(BM_SparkPassFullLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SparkPassFireHeld)->Unit(benchmark::kMillisecond);

}  // namespace
