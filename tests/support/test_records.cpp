#include "tests/support/test_records.h"

namespace {

struct TestRecords {
  std::unique_ptr<World> world = createWorld();
  std::unique_ptr<SceneResources> scene = createSceneResources();
  std::unique_ptr<Game> game = createGame();
};

TestRecords& records() {
  static TestRecords held;
  return held;
}

}  // namespace

World& world() { return *records().world; }
SceneResources& scene() { return *records().scene; }
Game& game() { return *records().game; }

void startFreshGame() { records().game = createGame(); }
