#pragma once
// Loads level file text through a real file, as the game does.

#include <unistd.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "world/level.h"

// The file is named after the running test and process, so test programs
// of several build trees may run side by side.
inline std::string writeLevelFile(const std::string& text) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string path = ::testing::TempDir() + "level_" + test->test_suite_name() + "_" + test->name() + "_" +
                           std::to_string(getpid()) + ".dat";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  EXPECT_NE(file, nullptr) << path;
  if (file != nullptr) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
  return path;
}

// Loads `text` on top of what levelData holds now.
inline bool reloadLevelText(const std::string& text) {
  const std::string path = writeLevelFile(text);
  const bool loaded = loadLevel(path.c_str());
  std::remove(path.c_str());
  return loaded;
}

// Resets levelData to the start-of-program state, then loads `text`.
inline bool loadLevelText(const std::string& text) {
  levelData = LevelData{};
  return reloadLevelText(text);
}
