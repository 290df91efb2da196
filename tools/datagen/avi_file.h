#pragma once
// Uncompressed AVI movies that the Windows AVI file library plays without
// any codec: one video stream with handler "DIB ", 24-bit bottom-up frames
// in "00db" chunks, and an "idx1" index.
#include <cstdint>
#include <vector>

#include "tools/datagen/image.h"

class AviWriter {
 public:
  AviWriter(int width, int height, int microsecondsPerFrame);
  // Frames must all have the writer's size.
  void addFrame(const Image& frame);
  std::vector<uint8_t> finish() const;

 private:
  int width_, height_, microsecondsPerFrame_;
  std::vector<std::vector<uint8_t>> frames_;
};
