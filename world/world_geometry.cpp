#include "world/world_geometry.h"

#include <new>

#include "world/world.h"

namespace {

constexpr int32_t trianglesPerBox = 10;
constexpr int32_t trianglesPerFloorAndCeiling = 4;

int32_t countPlacedPictures(const PictureList& pictures) {
  int32_t count = 0;
  const int32_t listed = usableCount(pictures.count, maxPictures);
  for (int32_t i = 0; i < listed; ++i) {
    if (pictureIsPlaced(pictures.items[i])) count += 2;
  }
  return count;
}

bool hasFloorAndCeiling(int32_t value) { return value == 1 || value == 2; }

// Cells are emitted row by row from the bottom line of the grid (y = 1) up,
// each row from left to right.
int32_t emitCells(World& world, int32_t index) {
  const int32_t sizeX = walkableSize(world.level.sizeX);
  const int32_t sizeY = walkableSize(world.level.sizeY);
  for (int32_t y = 1; y <= sizeY; ++y) {
    for (int32_t x = 1; x <= sizeX; ++x) {
      const int32_t value = levelCell(world.level, x, y);
      if (value == 1) index = addFloorAndCeiling(world, index, x, y, floorTextureStyle1, ceilingTextureStyle1);
      if (value == 2) index = addFloorAndCeiling(world, index, x, y, floorTextureStyle2, ceilingTextureStyle2);
      index = addCellWalls(world, index, x, y, wallTextureStyle1, wallTextureStyle2);
    }
  }
  return index;
}

}  // namespace

int32_t countWorldTriangles(const LevelData& level) {
  const int32_t sizeX = walkableSize(level.sizeX);
  const int32_t sizeY = walkableSize(level.sizeY);
  int32_t count = 0;
  for (int32_t y = 1; y <= sizeY; ++y) {
    for (int32_t x = 1; x <= sizeX; ++x) {
      if (hasFloorAndCeiling(levelCell(level, x, y))) count += trianglesPerFloorAndCeiling;
      count += cellWallTriangleCount(level, x, y);
    }
  }
  count += trianglesPerBox * usableCount(level.boxes.count, maxBoxes);
  count += countPlacedPictures(level.picturesW);
  count += countPlacedPictures(level.picturesG);
  return count;
}

World::~World() {
  delete models.playerBox;
  delete models.world;
  delete models.secondPlayerBox;
}

std::unique_ptr<World> createWorld() {
  std::unique_ptr<World> world(new World);
  // Created in this order, as the game has always made them.
  world->models.playerBox = newCollisionModel3D(false);
  world->models.world = newCollisionModel3D(false);
  world->models.secondPlayerBox = newCollisionModel3D(false);
  return world;
}

void buildWorld(World& world) {
  std::vector<WorldTriangle>().swap(world.worldTriangles);
  const int32_t count = countWorldTriangles(world.level);
  try {
    world.worldTriangles.resize(static_cast<std::size_t>(count > 0 ? count : 0));
  } catch (const std::bad_alloc&) {
    std::vector<WorldTriangle>().swap(world.worldTriangles);
  }

  int32_t index = emitCells(world, 0);
  const LevelData& level = world.level;
  const int32_t boxCount = usableCount(level.boxes.count, maxBoxes);
  for (int32_t i = 0; i < boxCount; ++i) index = addBox(world, index, level.boxes.items[i]);
  index = addWallPictures(world, index, level.picturesW, pictureTextureW);
  addWallPictures(world, index, level.picturesG, pictureTextureG);

  world.blockIndex = buildWorldBlockIndex(world.worldTriangles.data(), world.worldTriangleCount());
  fillCollisionModels(world.models, world.worldTriangles.data(), world.worldTriangleCount());
}
