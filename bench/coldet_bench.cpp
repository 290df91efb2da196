// The per-frame player-box query against the world of a generated maze:
// the tree search for a 253 x 253 and a 32 x 32 maze, and the all-pairs
// reference on the same models in the same run. The tree query should stay
// nearly flat as the world grows (within 3x from 32 to 253) and beat the
// all-pairs test at least 1000-fold on the large maze.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "coldet/collision_model.h"
#include "tests/unit/coldet/gl_matrices.h"
#include "world/world.h"

namespace {

// The world placed through the camera as the game does it: turned by
// 360 - heading about an eye 0.8 above (eyeX, eyeZ); heading 0 looks toward
// -Z. The player box sits 0.25 ahead of the eye.
GlMatrix cameraMatrix(float eyeX, float eyeZ, float headingDegrees) {
  GlMatrix m = rotationYMatrix(360.0f - headingDegrees);
  for (int row = 0; row < 3; ++row) m[12 + row] = -(m[row] * eyeX + m[4 + row] * 0.8f + m[8 + row] * eyeZ);
  return m;
}

const GlMatrix playerBoxPlacement = translationMatrix(0, 0, -0.25f);

// A perfect maze carved by a depth-first walk: rooms at odd cells, passages
// opened between them; open cells alternate between the two surface styles.
void generateMaze(LevelData& level, int32_t size, uint32_t seed) {
  level = LevelData{};
  level.sizeX = level.sizeY = size;
  std::mt19937 random(seed);
  const int32_t rooms = (size - 1) / 2;
  auto open = [&](int32_t x, int32_t y) { level.levelGrid[levelGridSide * x + y] = 1 + (x + y) % 2; };
  std::vector<bool> visited(size_t(rooms) * rooms, false);
  std::vector<std::pair<int32_t, int32_t>> stack{{0, 0}};
  visited[0] = true;
  open(1, 1);
  const int32_t steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  while (!stack.empty()) {
    const auto [rx, ry] = stack.back();
    std::vector<int> choices;
    for (int d = 0; d < 4; ++d) {
      const int32_t nx = rx + steps[d][0], ny = ry + steps[d][1];
      if (nx >= 0 && ny >= 0 && nx < rooms && ny < rooms && !visited[size_t(nx) * rooms + ny]) choices.push_back(d);
    }
    if (choices.empty()) {
      stack.pop_back();
      continue;
    }
    const int d = choices[random() % choices.size()];
    const int32_t nx = rx + steps[d][0], ny = ry + steps[d][1];
    visited[size_t(nx) * rooms + ny] = true;
    open(2 * rx + 1 + steps[d][0], 2 * ry + 1 + steps[d][1]);
    open(2 * nx + 1, 2 * ny + 1);
    stack.push_back({nx, ny});
  }
  for (int i = 0; i < 40; ++i) {
    level.boxes.items[level.boxes.count++] = BoxItem{2 * int32_t(random() % rooms) + 1, 2 * int32_t(random() % rooms) + 1};
  }
}

// A built maze world with its own models, and two eye positions in a room
// near the middle: its centre (no contact), and 0.55 before its Top wall.
struct MazeWorld {
  std::unique_ptr<World> built = createWorld();
  CollisionModel3D* world = built->models.world;
  CollisionModel3D* box = built->models.playerBox;
  GlMatrix freeView{}, blockedView{};
  int32_t triangles = 0;

  explicit MazeWorld(int32_t size) {
    generateMaze(built->level, size, 7);
    buildWorld(*built);
    triangles = built->worldTriangleCount();
    box->setTransform(playerBoxPlacement.data());
    int32_t x = size / 2 | 1, y = size / 2 | 1;
    while (levelCell(built->level, x, y + 1) != 0) y += 2;  // a room with a wall on its Top border
    const float centreX = 2.0f * x - 1, centreZ = 1 - 2.0f * y;
    freeView = cameraMatrix(centreX, centreZ, 45);
    blockedView = cameraMatrix(centreX, centreZ - 1 + 0.55f, 0);
  }
};

MazeWorld& maze(int32_t size) {
  static std::map<int32_t, std::unique_ptr<MazeWorld>> worlds;
  auto& slot = worlds[size];
  if (!slot) slot = std::make_unique<MazeWorld>(size);
  return *slot;
}

void treeQuery(benchmark::State& state, bool blocked) {
  MazeWorld& m = maze(int32_t(state.range(0)));
  m.world->setTransform((blocked ? m.blockedView : m.freeView).data());
  if (m.box->collision(m.world) != blocked) state.SkipWithError("unexpected collision result");
  for (auto _ : state) benchmark::DoNotOptimize(m.box->collision(m.world));
  state.counters["triangles"] = m.triangles;
}

void BM_TreeQueryFree(benchmark::State& state) { treeQuery(state, false); }
void BM_TreeQueryAtWall(benchmark::State& state) { treeQuery(state, true); }

// All pairs with no contact: every box triangle against every world one.
void BM_AllPairsFree(benchmark::State& state) {
  MazeWorld& m = maze(int32_t(state.range(0)));
  m.world->setTransform(m.freeView.data());
  auto* box = dynamic_cast<coldet::CollisionModel*>(m.box);
  coldet::TrianglePair pair;
  for (auto _ : state) benchmark::DoNotOptimize(box->collisionByAllPairs(m.world, nullptr, pair));
  state.counters["triangles"] = m.triangles;
}

void BM_BuildWorldAndTree(benchmark::State& state) {
  MazeWorld& m = maze(int32_t(state.range(0)));
  for (auto _ : state) buildWorld(*m.built);
}

BENCHMARK(BM_TreeQueryFree)->Arg(32)->Arg(253);
BENCHMARK(BM_TreeQueryAtWall)->Arg(32)->Arg(253);
BENCHMARK(BM_AllPairsFree)->Arg(32)->Arg(253)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildWorldAndTree)->Arg(32)->Arg(253)->Unit(benchmark::kMillisecond);

}  // namespace
