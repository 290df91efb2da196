#pragma once
// Loads level file text through a real file, as the game does.

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "world/level.h"

inline std::string writeLevelFile(const std::string& text, const char* name = "level_test.dat") {
  const std::string path = ::testing::TempDir() + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  EXPECT_NE(file, nullptr) << path;
  if (file != nullptr) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
  return path;
}

// Resets levelData to the start-of-program state, then loads `text`.
inline bool loadLevelText(const std::string& text) {
  levelData = LevelData{};
  return loadLevel(writeLevelFile(text).c_str());
}
