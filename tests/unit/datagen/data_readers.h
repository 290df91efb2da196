#pragma once
// Readers for the generated files: pictures as the game reads them, since
// what matters is that the game reads what the generator writes. A broken
// file gives a text in `problem`, never a crash.
#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> readWholeFile(const std::string& path);
inline uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes = 4) {
  uint32_t v = 0;
  for (int i = bytes; i-- > 0;) v = v << 8 | b[at + i];
  return v;
}

struct BmpPicture {
  std::string problem;  // the reader's message when it refuses the file
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // bottom row first, 3 bytes a pixel; brightness() adds them up (0-765)
  int brightness(int x, int y) const { auto p = rgb.begin() + (y * width + x) * 3; return p[0] + p[1] + p[2]; }
};
BmpPicture readBmp(const std::string& path);

// Where the build put the data tree and the resource pictures.
inline std::string dataPath(const std::string& relative) { return BRAKMOOR_DATA_DIR + ("/data/" + relative); }
inline std::string generatedPath(const std::string& name) { return BRAKMOOR_DATA_DIR + ("/../generated/" + name); }
