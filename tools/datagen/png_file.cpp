#include "tools/datagen/png_file.h"

#include <algorithm>

namespace {
void be32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

uint32_t crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

uint32_t adler32(const std::vector<uint8_t>& data) {
  uint32_t a = 1, b = 0;
  for (uint8_t byte : data) {
    a = (a + byte) % 65521u;
    b = (b + a) % 65521u;
  }
  return (b << 16) | a;
}

// Length, type, data and the CRC over type and data.
void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  be32(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  be32(out, crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored deflate blocks (at most 65535 bytes each).
std::vector<uint8_t> zlibStored(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> out = {0x78, 0x01};
  size_t at = 0;
  do {
    size_t length = std::min<size_t>(raw.size() - at, 65535);
    bool last = at + length == raw.size();
    out.push_back(last ? 1 : 0);
    uint16_t len = static_cast<uint16_t>(length), nlen = static_cast<uint16_t>(~len);
    out.insert(out.end(), {static_cast<uint8_t>(len), static_cast<uint8_t>(len >> 8),
                           static_cast<uint8_t>(nlen), static_cast<uint8_t>(nlen >> 8)});
    out.insert(out.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + length));
    at += length;
  } while (at < raw.size());
  be32(out, adler32(raw));
  return out;
}
}  // namespace

std::vector<uint8_t> encodePng(const Image& picture) {
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  be32(header, static_cast<uint32_t>(picture.width()));
  be32(header, static_cast<uint32_t>(picture.height()));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter method, no interlace
  chunk(out, "IHDR", header);

  std::vector<uint8_t> raw;
  for (int y = 0; y < picture.height(); ++y) {
    raw.push_back(0);  // filter type None
    for (int x = 0; x < picture.width(); ++x) {
      Rgb p = picture.pixel(x, y);
      bool clear = p.r == 0 && p.g == 0 && p.b == 0;
      raw.insert(raw.end(), {p.r, p.g, p.b, static_cast<uint8_t>(clear ? 0 : 255)});
    }
  }
  chunk(out, "IDAT", zlibStored(raw));
  chunk(out, "IEND", {});
  return out;
}
