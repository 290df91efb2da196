// Posing and drawing the enemy figure: one figure, and the five figures of a
// game frame, in an offscreen Mesa context.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "model/model_instance.h"
#include "render/scene_projection.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"

namespace {

const std::string kFigure = std::string(BRAKMOOR_DATA_DIR) + "/Data/MODELS/gign.mdl";

// One context and five loaded figures for all benchmarks, placed as the game
// places its enemies in front of a 47-degree camera.
struct Scene {
  TestGlContext gl{640, 480};
  ModelInstance figures[5];

  Scene() {
    for (ModelInstance& figure : figures) {
      figure.loadModel(kFigure.c_str());
      figure.setSequence(4);
    }
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    setGameDrawingProjection();
  }

  void drawEnemy(ModelInstance& figure, int index) {
    glPushMatrix();
    glTranslatef(-2.0f + index, 0.4f - 0.8f, -4.0f);
    glRotatef(30.0f * index, 0, 1, 0);
    glRotatef(-90.0f, 1, 0, 0);
    glScalef(0.01f, 0.01f, 0.01f);
    figure.advanceAnimation(0.1f);
    figure.drawModel();
    glPopMatrix();
  }
};

Scene* scene(benchmark::State& state) {
  static std::unique_ptr<Scene> shared;
  if (!shared) {
    std::FILE* file = std::fopen(kFigure.c_str(), "rb");
    if (file == nullptr) {
      state.SkipWithError("the figure is missing: build the gamedata target first");
      return nullptr;
    }
    std::fclose(file);
    shared = std::make_unique<Scene>();
  }
  return shared.get();
}

void BM_SetUpBonesRunning(benchmark::State& state) {
  Scene* s = scene(state);
  if (s == nullptr) return;
  ModelInstance& figure = s->figures[0];
  figure.setSequence(4);
  for (auto _ : state) {
    figure.advanceAnimation(0.1f);
    figure.setUpBones();
  }
}
BENCHMARK(BM_SetUpBonesRunning);

// Late in a death sequence the decoder skips hundreds of held runs.
void BM_SetUpBonesLyingDead(benchmark::State& state) {
  Scene* s = scene(state);
  if (s == nullptr) return;
  ModelInstance& figure = s->figures[0];
  figure.setSequence(86);
  figure.frame = 90000.0f;
  for (auto _ : state) figure.setUpBones();
  figure.setSequence(4);
}
BENCHMARK(BM_SetUpBonesLyingDead);

// drawModel poses the skeleton itself, then draws.
void BM_PoseAndDrawOneFigure(benchmark::State& state) {
  Scene* s = scene(state);
  if (s == nullptr) return;
  for (auto _ : state) s->drawEnemy(s->figures[0], 2);
  glFinish();
}
BENCHMARK(BM_PoseAndDrawOneFigure);

// The figures' part of a game frame: five enemies posed and drawn. With
// `finish`, the rasterisation of Mesa's software renderer is included.
void BM_FiveFiguresFrame(benchmark::State& state) {
  Scene* s = scene(state);
  if (s == nullptr) return;
  const bool finish = state.range(0) != 0;
  for (auto _ : state) {
    if (finish) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int i = 0; i < 5; ++i) s->drawEnemy(s->figures[i], i);
    if (finish) glFinish();
  }
  glFinish();
}
BENCHMARK(BM_FiveFiguresFrame)->Arg(0)->Arg(1)->ArgName("finish");

}  // namespace
