#include "tools/datagen/byte_writer.h"

#include <cstdio>
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

void ByteWriter::patchU32(size_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

bool saveFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "datagen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}
