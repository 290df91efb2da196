#include "tools/datagen/byte_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

void ByteWriter::u16(uint16_t v) {
  u8(static_cast<uint8_t>(v));
  u8(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::u32(uint32_t v) {
  u16(static_cast<uint16_t>(v));
  u16(static_cast<uint16_t>(v >> 16));
}

void ByteWriter::fourcc(const char* id) {
  for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(id[i]));
}

size_t ByteWriter::reserve(size_t size) {
  while (bytes_.size() % 4 != 0) bytes_.push_back(0);
  const size_t at = bytes_.size();
  bytes_.resize(at + size, 0);
  return at;
}

size_t ByteWriter::appendBytes(const std::vector<uint8_t>& data) {
  const size_t at = reserve(data.size());
  std::copy(data.begin(), data.end(), bytes_.begin() + static_cast<long>(at));
  return at;
}

size_t ByteWriter::appendShorts(const std::vector<int16_t>& values) {
  const size_t at = reserve(2 * values.size());
  for (size_t i = 0; i < values.size(); ++i) setI16(at + 2 * i, values[i]);
  return at;
}

size_t ByteWriter::table(size_t countField, size_t count, size_t recordSize) {
  const size_t at = reserve(recordSize * count);
  setI32(countField, static_cast<int32_t>(count));
  setI32(countField + 4, static_cast<int32_t>(at));
  return at;
}

void ByteWriter::setU32(size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void ByteWriter::setI16(size_t at, int v) {
  bytes_[at] = static_cast<uint8_t>(v & 0xff);
  bytes_[at + 1] = static_cast<uint8_t>((v >> 8) & 0xff);
}

void ByteWriter::setF32(size_t at, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  setU32(at, bits);
}

void ByteWriter::setText(size_t at, const std::string& s, size_t room) {
  for (size_t i = 0; i < s.size() && i + 1 < room; ++i) bytes_[at + i] = static_cast<uint8_t>(s[i]);
}

bool saveFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out)
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "datagen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}
