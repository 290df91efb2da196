#include "tests/unit/datagen/data_readers.h"

#include <fstream>
#include <functional>
#include <iterator>

std::vector<uint8_t> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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

BmpPicture readBmp(const std::string& path) {
  BmpPicture picture;
  std::vector<uint8_t> bytes = readWholeFile(path);
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || le32(bytes, 2) != bytes.size())
    return picture.problem = "no BMP file, or its size field differs from the file: " + path, picture;
  picture.width = static_cast<int32_t>(le32(bytes, 18));
  picture.height = static_cast<int32_t>(le32(bytes, 22));
  size_t rowBytes = (static_cast<size_t>(picture.width) * 3 + 3) / 4 * 4, offset = le32(bytes, 10);
  if (le32(bytes, 14) != 40 || le16(bytes, 26) != 1 || le16(bytes, 28) != 24 || le32(bytes, 30) != 0 ||
      picture.width <= 0 || picture.height <= 0 || offset + rowBytes * picture.height != bytes.size())
    return picture.problem = "not a bottom-up uncompressed 24-bit picture filling the file", picture;
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

AviMovie readAvi(const std::string& path) {
  AviMovie movie;
  std::vector<uint8_t> bytes = readWholeFile(path);
  size_t moviStart = 0;
  std::function<std::string(const std::string&, size_t, uint32_t)> visit = [&](const std::string& id, size_t body,
                                                                                uint32_t size) -> std::string {
    if (id == "LIST") {
      if (size >= 4 && fourcc(bytes, body) == "movi") moviStart = body;
      return walkChunks(bytes, body + 4, body + size, visit);
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
      movie.frames.emplace_back(bytes.begin() + static_cast<long>(body),
                                bytes.begin() + static_cast<long>(body + size));
    } else if (id == "idx1") {
      // Every entry must point at a frame chunk of the stated size, counted from the "movi" id.
      movie.indexEntries = size / 16;
      for (size_t entry = body; entry < body + movie.indexEntries * 16; entry += 16) {
        size_t target = moviStart + le32(bytes, entry + 8);
        if (target + 8 > bytes.size() || fourcc(bytes, entry) != "00db" || fourcc(bytes, target) != "00db" ||
            le32(bytes, target + 4) != le32(bytes, entry + 12))
          return "index entry " + std::to_string((entry - body) / 16) + " does not point at its frame";
      }
    }
    return "";
  };
  movie.problem = riffProblem(bytes, "AVI ", path);
  if (movie.problem.empty()) movie.problem = walkChunks(bytes, 12, bytes.size(), visit);
  return movie;
}
