#pragma once
// A growing little-endian file image with fields that can be filled in once
// the offsets they point to are known.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class FileImage {
 public:
  // Appends `size` zero bytes, starting on a 4-byte boundary, and returns
  // where they start.
  size_t reserve(size_t size) {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
    const size_t at = bytes_.size();
    bytes_.resize(at + size, 0);
    return at;
  }
  // A header table: `count` records of `recordSize` bytes, with the count at
  // `countField` and the table's offset in the field right after it.
  size_t table(size_t countField, size_t count, size_t recordSize) {
    const size_t at = reserve(recordSize * count);
    i32(countField, static_cast<int32_t>(count));
    i32(countField + 4, static_cast<int32_t>(at));
    return at;
  }
  void i32(size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
  }
  void i16(size_t at, int v) {
    bytes_[at] = static_cast<uint8_t>(v & 0xff);
    bytes_[at + 1] = static_cast<uint8_t>((v >> 8) & 0xff);
  }
  void f32(size_t at, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    i32(at, static_cast<int32_t>(bits));
  }
  // A name in a reserved text field, cut to fit and zero-terminated.
  void text(size_t at, const std::string& s, size_t room) {
    for (size_t i = 0; i < s.size() && i + 1 < room; ++i) bytes_[at + i] = static_cast<uint8_t>(s[i]);
  }
  size_t appendBytes(const std::vector<uint8_t>& data) {
    const size_t at = reserve(data.size());
    std::copy(data.begin(), data.end(), bytes_.begin() + static_cast<long>(at));
    return at;
  }
  size_t appendShorts(const std::vector<int16_t>& values) {
    const size_t at = reserve(2 * values.size());
    for (size_t i = 0; i < values.size(); ++i) i16(at + 2 * i, values[i]);
    return at;
  }
  size_t size() const { return bytes_.size(); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// Writes the file, creating its folder; false after a message on failure.
bool saveFigureFile(const std::string& path, const std::vector<uint8_t>& bytes);
