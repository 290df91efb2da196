#pragma once
// Little-endian byte assembly for the binary files the generator writes
// (BMP, WAV, AVI, ICO and the figure's model files), and saving them with
// their folders. Fields are appended in order, or reserved first and set
// once the offsets they hold are known.
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

  // Appends `size` zero bytes, starting on a 4-byte boundary, and returns
  // where they start.
  size_t reserve(size_t size);
  // The same for the given bytes or 16-bit values.
  size_t appendBytes(const std::vector<uint8_t>& data);
  size_t appendShorts(const std::vector<int16_t>& values);
  // A header table: `count` records of `recordSize` bytes, with the count at
  // `countField` and the table's offset in the field right after it.
  size_t table(size_t countField, size_t count, size_t recordSize);

  // Overwrite fields written or reserved earlier.
  void setU32(size_t at, uint32_t v);
  void setI32(size_t at, int32_t v) { setU32(at, static_cast<uint32_t>(v)); }
  void setI16(size_t at, int v);
  void setF32(size_t at, float v);
  // A name in a reserved text field, cut to fit and zero-terminated.
  void setText(size_t at, const std::string& s, size_t room);

  size_t size() const { return bytes_.size(); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// Writes `bytes` to `path`, creating missing folders. Returns false (after a
// message on stderr) when the file cannot be written.
bool saveFile(const std::string& path, const std::vector<uint8_t>& bytes);
