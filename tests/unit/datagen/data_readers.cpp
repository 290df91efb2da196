#include "tests/unit/datagen/data_readers.h"

#include <fstream>
#include <iterator>

std::vector<uint8_t> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

uint16_t le16(const std::vector<uint8_t>& bytes, size_t offset) {
  return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

uint32_t le32(const std::vector<uint8_t>& bytes, size_t offset) {
  return static_cast<uint32_t>(le16(bytes, offset)) | static_cast<uint32_t>(le16(bytes, offset + 2)) << 16;
}

namespace {
std::string fourcc(const std::vector<uint8_t>& bytes, size_t offset) {
  return std::string(bytes.begin() + static_cast<long>(offset), bytes.begin() + static_cast<long>(offset) + 4);
}

// What is wrong with the RIFF container of the given form, or "".
std::string riffProblem(const std::vector<uint8_t>& bytes, const char* form, const std::string& path) {
  if (bytes.size() < 12 || fourcc(bytes, 0) != "RIFF" || fourcc(bytes, 8) != form)
    return std::string("not a RIFF ") + form + " file: " + path;
  return le32(bytes, 4) + 8 != bytes.size() ? "RIFF size differs from the file" : "";
}

// Hands every chunk in [begin, end) to `visit(id, body, size)`; the first
// problem found, or "".
template <class Visit>
std::string walkChunks(const std::vector<uint8_t>& bytes, size_t begin, size_t end, Visit&& visit) {
  for (size_t at = begin; at + 8 <= end;) {
    std::string id = fourcc(bytes, at);
    uint32_t size = le32(bytes, at + 4);
    if (at + 8 + size > end) return "chunk " + id + " runs past its container";
    std::string problem = visit(id, at + 8, size);
    if (!problem.empty()) return problem;
    at += 8 + size + (size & 1);
  }
  return "";
}
}  // namespace

int BmpPicture::brightness(int x, int y) const {
  size_t at = (static_cast<size_t>(y) * width + x) * 3;
  return rgb[at] + rgb[at + 1] + rgb[at + 2];
}

BmpPicture readBmp(const std::string& path) {
  BmpPicture picture;
  std::vector<uint8_t> bytes = readWholeFile(path);
  if (bytes.size() < 54) return picture.problem = "missing or shorter than its headers: " + path, picture;
  if (bytes[0] != 'B' || bytes[1] != 'M') return picture.problem = "no BM signature", picture;
  if (le32(bytes, 2) != bytes.size()) return picture.problem = "file size field differs from the file", picture;
  if (le32(bytes, 14) != 40) return picture.problem = "info header is not 40 bytes", picture;
  picture.width = static_cast<int32_t>(le32(bytes, 18));
  picture.height = static_cast<int32_t>(le32(bytes, 22));
  if (le16(bytes, 26) != 1 || le16(bytes, 28) != 24 || le32(bytes, 30) != 0)
    return picture.problem = "not an uncompressed 24-bit picture", picture;
  if (picture.width <= 0 || picture.height <= 0) return picture.problem = "not a bottom-up picture", picture;
  size_t rowBytes = (static_cast<size_t>(picture.width) * 3 + 3) / 4 * 4;
  size_t offset = le32(bytes, 10);
  if (offset + rowBytes * picture.height != bytes.size()) return picture.problem = "pixel data size is wrong", picture;
  picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
  for (int y = 0; y < picture.height; ++y) {
    size_t row = offset + rowBytes * (picture.height - 1 - y);  // stored bottom row first
    for (int x = 0; x < picture.width; ++x)
      for (int c = 0; c < 3; ++c)
        picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3 + c] = bytes[row + x * 3 + (2 - c)];
  }
  return picture;
}

WavSound readWav(const std::string& path) {
  WavSound sound;
  std::vector<uint8_t> bytes = readWholeFile(path);
  sound.problem = riffProblem(bytes, "WAVE", path);
  bool haveData = false;
  if (sound.problem.empty())
    sound.problem = walkChunks(bytes, 12, bytes.size(), [&](const std::string& id, size_t body, uint32_t size) {
      if (id == "fmt " && size >= 16) {
        sound.format = le16(bytes, body);
        sound.channels = le16(bytes, body + 2);
        sound.sampleRate = static_cast<int>(le32(bytes, body + 4));
        sound.bitsPerSample = le16(bytes, body + 14);
      }
      if (id != "data" || haveData) return std::string();
      if (sound.sampleRate == 0) return std::string("data before format");
      haveData = true;
      for (size_t i = 0; i + 1 < size; i += 2) sound.samples.push_back(static_cast<int16_t>(le16(bytes, body + i)));
      return std::string();
    });
  if (sound.problem.empty() && !haveData) sound.problem = "no data chunk";
  return sound;
}

namespace {
struct AviChunkVisitor {
  const std::vector<uint8_t>& bytes;
  AviMovie& movie;
  size_t moviStart = 0;

  std::string operator()(const std::string& id, size_t body, uint32_t size) {
    if (id == "LIST") {
      if (size >= 4 && fourcc(bytes, body) == "movi") moviStart = body;
      return walkChunks(bytes, body + 4, body + size, *this);
    }
    if (id == "avih" && size >= 40) {
      movie.microsecondsPerFrame = le32(bytes, body);
      movie.totalFrames = le32(bytes, body + 16);
      movie.streams = le32(bytes, body + 24);
      movie.width = le32(bytes, body + 32);
      movie.height = le32(bytes, body + 36);
    } else if (id == "strh" && size >= 36) {
      movie.streamType = fourcc(bytes, body);
      movie.handler = fourcc(bytes, body + 4);
      movie.streamLength = le32(bytes, body + 32);
    } else if (id == "strf" && size >= 20) {
      movie.formatSize = le32(bytes, body);
      movie.formatWidth = le32(bytes, body + 4);
      movie.formatHeight = le32(bytes, body + 8);
      movie.bitCount = le16(bytes, body + 14);
      movie.compression = le32(bytes, body + 16);
    } else if (id == "00db") {
      movie.frames.emplace_back(bytes.begin() + static_cast<long>(body), bytes.begin() + static_cast<long>(body + size));
    } else if (id == "idx1") {
      return indexProblem(body, size);
    }
    return "";
  }

  // Every entry must point at a frame chunk of the stated size, counted
  // from the "movi" id.
  std::string indexProblem(size_t body, uint32_t size) {
    movie.indexEntries = size / 16;
    for (size_t i = 0; i < movie.indexEntries; ++i) {
      size_t entry = body + i * 16, target = moviStart + le32(bytes, entry + 8);
      if (target + 8 > bytes.size() || fourcc(bytes, entry) != "00db" || fourcc(bytes, target) != "00db" ||
          le32(bytes, target + 4) != le32(bytes, entry + 12))
        return "index entry " + std::to_string(i) + " does not point at its frame";
    }
    return "";
  }
};
}  // namespace

AviMovie readAvi(const std::string& path) {
  AviMovie movie;
  std::vector<uint8_t> bytes = readWholeFile(path);
  movie.problem = riffProblem(bytes, "AVI ", path);
  if (movie.problem.empty()) movie.problem = walkChunks(bytes, 12, bytes.size(), AviChunkVisitor{bytes, movie});
  return movie;
}

std::string dataPath(const std::string& relative) { return std::string(BRAKMOOR_DATA_DIR) + "/data/" + relative; }

std::string generatedPath(const std::string& name) { return std::string(BRAKMOOR_DATA_DIR) + "/../generated/" + name; }
