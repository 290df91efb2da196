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

// A RIFF WAVE file whose size field matches: the format chunk, then the
// first data chunk.
WavSound readWav(const std::string& path) {
  WavSound sound;
  std::vector<uint8_t> bytes = readWholeFile(path);
  if (bytes.size() < 12 || std::string(&bytes[0], &bytes[4]) != "RIFF" || std::string(&bytes[8], &bytes[12]) != "WAVE" ||
      le(bytes, 4) + 8 != bytes.size())
    return sound.problem = "not a RIFF WAVE file of its stated size: " + path, sound;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id(&bytes[at], &bytes[at + 4]);
    const size_t body = at + 8, size = le(bytes, at + 4);
    if (body + size > bytes.size()) return sound.problem = "chunk " + id + " runs past the file", sound;
    if (id == "fmt " && size >= 16) {
      sound.format = le(bytes, body, 2);
      sound.channels = le(bytes, body + 2, 2);
      sound.sampleRate = static_cast<int>(le(bytes, body + 4));
      sound.bitsPerSample = le(bytes, body + 14, 2);
    } else if (id == "data") {
      if (sound.sampleRate == 0) return sound.problem = "data before format", sound;
      for (size_t i = 0; i + 1 < size; i += 2) sound.samples.push_back(static_cast<int16_t>(le(bytes, body + i, 2)));
      return sound;
    }
    at = body + size + (size & 1);
  }
  return sound.problem = "no data chunk", sound;
}
