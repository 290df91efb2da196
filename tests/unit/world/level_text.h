#pragma once
// Level text loaded through a real file named after the process, so test programs may run side by side.

#include <unistd.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "world/level_loader.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_records.h"

// Loads `text` from the start-of-program state, or on top of what world().level holds.
inline bool loadLevelText(const std::string& text, bool fromStart = true) {
  if (fromStart) world().level = LevelData{};
  const std::string path = ::testing::TempDir() + "level_" + std::to_string(getpid()) + ".dat";
  writeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
  const bool loaded = loadLevel(world().level, path.c_str());
  std::remove(path.c_str());
  return loaded;
}
