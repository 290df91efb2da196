#include "render/bitmap_image.h"

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"

BitmapImage* loadBitmapFile(const char* fileName) {
  if (fileName == nullptr) return nullptr;
  // Only an existence check: a missing texture is the caller's failure to
  // report, so the reader (which reports everything) is not even called.
  std::FILE* probe = std::fopen(platform().resolveFileName(fileName).c_str(), "r");
  if (probe == nullptr) return nullptr;
  std::fclose(probe);
  return platform().readBmpFile(fileName);
}

void freeBitmapImage(BitmapImage* image) {
  if (image == nullptr) return;
  std::free(image->pixels);
  std::free(image);
}
