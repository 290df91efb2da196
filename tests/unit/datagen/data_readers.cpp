#include "tests/unit/datagen/data_readers.h"

#include <fstream>
#include <iterator>

#include "render/bitmap_image.h"
#include "tests/support/recording_os.h"

std::vector<uint8_t> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

BmpPicture readBmp(const std::string& path) {
  ScopedRecordingOs os;
  BmpPicture picture;
  BitmapImage* image = testDibReader(path.c_str());
  if (image == nullptr) return picture.problem = os->messageBoxes.at(0).text, picture;
  picture.width = image->width;
  picture.height = image->height;
  picture.rgb.assign(image->pixels, image->pixels + 3 * image->width * image->height);
  freeBitmapImage(image);
  return picture;
}
