// Feeds arbitrary bytes to the level loader as a level file, then builds
// the world and its collision model from whatever was loaded: neither may
// read or write outside its arrays, whatever the file holds.

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "world/level_loader.h"
#include "world/world_geometry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CollisionModel3D* worldModel = newCollisionModel3D(false);
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (file == nullptr) return 0;
  levelData = LevelData{};
  loadLevelFromFile(file);
  std::fclose(file);
  if (countWorldTriangles() > 200000) return 0;  // large but valid: not what this target is about
  buildWorld(worldModel, nullptr, nullptr);
  return 0;
}
