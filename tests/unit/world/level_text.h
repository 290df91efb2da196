#pragma once
// Level text loaded through a real file in a scratch folder of its own, so test programs may run side by side.

#include <string>

#include "world/level_loader.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_records.h"

// Loads `text` from the start-of-program state, or on top of what world().level holds.
inline bool loadLevelText(const std::string& text, bool fromStart = true) {
  if (fromStart) world().level = LevelData{};
  ScratchFolder scratch;
  writeFile("level.dat", std::vector<std::uint8_t>(text.begin(), text.end()));
  return loadLevel(world().level, "level.dat");
}
