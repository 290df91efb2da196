// Feeds arbitrary bytes to the level loader as a level file, then builds
// the world and its collision model from whatever was loaded: neither may
// read or write outside its arrays, whatever the file holds.

#include <cstddef>

#include "world/level_loader.h"
#include "world/world.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::unique_ptr<World> world = createWorld();
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (file == nullptr) return 0;
  world->level = LevelData{};
  loadLevelFromFile(world->level, file);
  std::fclose(file);
  if (countWorldTriangles(world->level) > 200000) return 0;  // large but valid: not what this target is about
  buildWorld(*world);
  return 0;
}
