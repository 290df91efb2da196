#pragma once
// Readers for the generated files, written apart from the generator so the
// tests check the files against the formats, not against the writer's idea
// of them. A broken file gives a text in `problem`, never a crash.
#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> readWholeFile(const std::string& path);
inline uint16_t le16(const std::vector<uint8_t>& bytes, size_t at) { return uint16_t(bytes[at] | bytes[at + 1] << 8); }
inline uint32_t le32(const std::vector<uint8_t>& bytes, size_t at) {
  return le16(bytes, at) | uint32_t(le16(bytes, at + 2)) << 16;
}

struct BmpPicture {
  std::string problem;  // empty when the file is a sound uncompressed 24-bit bitmap
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // top row first, 3 bytes a pixel; brightness() adds them up (0-765)
  int brightness(int x, int y) const { auto p = rgb.begin() + (y * width + x) * 3; return p[0] + p[1] + p[2]; }
};
BmpPicture readBmp(const std::string& path);

struct WavSound {
  std::string problem;
  int format = 0, channels = 0, sampleRate = 0, bitsPerSample = 0;
  std::vector<int16_t> samples;
  double seconds() const { return sampleRate ? static_cast<double>(samples.size()) / sampleRate : 0.0; }
};
WavSound readWav(const std::string& path);

struct AviMovie {
  std::string problem;
  uint32_t microsecondsPerFrame = 0, totalFrames = 0, streams = 0, width = 0, height = 0;
  std::string streamType, handler;
  uint32_t streamLength = 0, formatSize = 0, formatWidth = 0, formatHeight = 0, bitCount = 0, compression = 0;
  std::vector<std::vector<uint8_t>> frames;  // the "00db" chunks in file order
  size_t indexEntries = 0;
};
AviMovie readAvi(const std::string& path);

// Where the build put the data tree and the resource pictures.
inline std::string dataPath(const std::string& relative) { return BRAKMOOR_DATA_DIR + ("/data/" + relative); }
inline std::string generatedPath(const std::string& name) { return BRAKMOOR_DATA_DIR + ("/../generated/" + name); }
