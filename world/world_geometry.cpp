#include "world/world_geometry.h"

#include <new>

#include "world/collision_models.h"
#include "world/world_block_index.h"
#include "world/level.h"

WorldTriangle* worldTriangles = nullptr;
int32_t worldTriangleCount = 0;

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
int32_t emitCells(int32_t index) {
  const int32_t sizeX = walkableSize(levelData.sizeX);
  const int32_t sizeY = walkableSize(levelData.sizeY);
  for (int32_t y = 1; y <= sizeY; ++y) {
    for (int32_t x = 1; x <= sizeX; ++x) {
      const int32_t value = levelCell(x, y);
      if (value == 1) index = addFloorAndCeiling(index, x, y, floorTextureStyle1, ceilingTextureStyle1);
      if (value == 2) index = addFloorAndCeiling(index, x, y, floorTextureStyle2, ceilingTextureStyle2);
      index = addCellWalls(index, x, y, wallTextureStyle1, wallTextureStyle2);
    }
  }
  return index;
}

}  // namespace

int32_t countWorldTriangles() {
  const int32_t sizeX = walkableSize(levelData.sizeX);
  const int32_t sizeY = walkableSize(levelData.sizeY);
  int32_t count = 0;
  for (int32_t y = 1; y <= sizeY; ++y) {
    for (int32_t x = 1; x <= sizeX; ++x) {
      if (hasFloorAndCeiling(levelCell(x, y))) count += trianglesPerFloorAndCeiling;
      count += cellWallTriangleCount(x, y);
    }
  }
  count += trianglesPerBox * usableCount(levelData.boxes.count, maxBoxes);
  count += countPlacedPictures(levelData.picturesW);
  count += countPlacedPictures(levelData.picturesG);
  return count;
}

void buildWorld(CollisionModel3D* worldModel, CollisionModel3D* playerBox,
                CollisionModel3D* secondPlayerBox) {
  delete[] worldTriangles;
  worldTriangles = nullptr;
  worldTriangleCount = 0;

  const int32_t count = countWorldTriangles();
  worldTriangles = new (std::nothrow) WorldTriangle[count > 0 ? count : 1];
  if (worldTriangles != nullptr) worldTriangleCount = count;

  int32_t index = emitCells(0);
  const int32_t boxCount = usableCount(levelData.boxes.count, maxBoxes);
  for (int32_t i = 0; i < boxCount; ++i) index = addBox(index, levelData.boxes.items[i]);
  index = addWallPictures(index, levelData.picturesW, pictureTextureW);
  addWallPictures(index, levelData.picturesG, pictureTextureG);

  buildWorldBlockIndex();
  fillCollisionModels(worldModel, playerBox, secondPlayerBox);
}
