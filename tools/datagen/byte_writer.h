#pragma once
// Little-endian byte assembly for the binary files the generator writes
// (BMP, WAV, AVI, ICO), and saving them with their folders.
#include <cstdint>
#include <string>
#include <vector>

class ByteWriter {
 public:
  void u8(uint8_t v) { bytes_.push_back(v); }
  void u16(uint16_t v);
  void u32(uint32_t v);
  void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
  // Four characters, as RIFF chunk ids are written.
  void fourcc(const char* id);
  void append(const uint8_t* data, size_t size) { bytes_.insert(bytes_.end(), data, data + size); }
  void zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  // Overwrites a 32-bit value written earlier (sizes known only later).
  void patchU32(size_t offset, uint32_t v);

  size_t size() const { return bytes_.size(); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// Writes `bytes` to `path`, creating missing folders. Returns false (after a
// message on stderr) when the file cannot be written.
bool saveFile(const std::string& path, const std::vector<uint8_t>& bytes);
