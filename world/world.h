#pragma once
// The world record: the level as loaded, the static world triangles built
// from it, their block index and the three collision models. One function
// builds it; the game, tests and benchmarks pass it by reference.

#include <cstdint>
#include <memory>
#include <vector>

#include "world/collision_models.h"
#include "world/level.h"
#include "world/world_block_index.h"
#include "world/world_geometry.h"

struct World {
  World() = default;
  World(const World&) = delete;
  World& operator=(const World&) = delete;
  // Deletes the collision models.
  ~World();

  LevelData level{};
  // The static world in array order; a triangle's index is its identity for
  // drawing and for the world collision model.
  std::vector<WorldTriangle> worldTriangles;
  WorldBlockIndex blockIndex;
  CollisionModels models{};

  std::int32_t worldTriangleCount() const { return static_cast<std::int32_t>(worldTriangles.size()); }
};

// An empty level (all cells solid, sizes 0) and an empty world, with the
// three collision models created in the order player box, world, second
// player box. On the heap: the level alone is some 260 KB.
std::unique_ptr<World> createWorld();

// Builds the world triangles from world.level (sized by a counting pass; an
// earlier array is replaced), the block index over them, then fills the
// three collision models: the world triangles in array order and the player
// box twice. Models filled by an earlier call start over. If the array
// cannot be allocated the world is left empty (count 0).
void buildWorld(World& world);
