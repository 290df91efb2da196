#pragma once
// Our writer of the model file format: the main file (skeleton, sequences,
// group 0 animation, body parts and meshes), the texture file and the
// sequence group file.
#include <cstdint>
#include <string>
#include <vector>

struct FigureFiles {
  std::vector<uint8_t> main;
  std::vector<uint8_t> textures;
  std::vector<uint8_t> group1;
};

// Builds the soldier. Returns false (after a message on stderr) when a
// stream would not fit the format's limits.
bool buildSoldierFiles(FigureFiles& files);
