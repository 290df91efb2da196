#include "render/dib_file_reader.h"

#include <cstdio>
#include <vector>

#include "render/dib_header.h"
#include "render/dib_messages.h"

namespace {

bool readWholeFile(const char* fileName, std::vector<std::uint8_t>* bytes) {
  std::FILE* file = fileName != nullptr ? std::fopen(fileName, "rb") : nullptr;
  if (file == nullptr) return false;
  std::uint8_t buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
    bytes->insert(bytes->end(), buffer, buffer + got);
  std::fclose(file);
  return !bytes->empty();  // an empty file cannot be mapped either
}

unsigned paletteIndex(const std::uint8_t* row, std::int32_t x, unsigned bitCount) {
  unsigned bitOffset = static_cast<unsigned>(x) * bitCount;
  unsigned byte = row[bitOffset / 8];
  unsigned shift = 8 - bitCount - bitOffset % 8;
  return (byte >> shift) & ((1u << bitCount) - 1);
}

// Fills a 24-bit section (blue, green, red; rows padded to 4 bytes; same row
// order as the file). False for formats this reader does not convert.
bool convertToSection(const std::uint8_t* pixels, const dib::Layout& layout,
                      std::vector<std::uint8_t>* section) {
  bool palette = layout.bitCount == 1 || layout.bitCount == 4 || layout.bitCount == 8;
  if (layout.compression != dib::compressionNone || !(palette || layout.bitCount == 24))
    return false;
  std::size_t sourceStride = dib::rowStride(layout.width, layout.bitCount);
  std::size_t targetStride = dib::rowStride(layout.width, 24);
  section->assign(targetStride * layout.rows(), 0);
  const std::uint8_t* table = layout.conversionHeader.data() + dib::infoHeaderSize;
  for (std::int32_t row = 0; row < layout.rows(); ++row) {
    const std::uint8_t* in = pixels + sourceStride * row;
    std::uint8_t* out = section->data() + targetStride * row;
    for (std::int32_t x = 0; x < layout.width; ++x, out += 3) {
      // The parser's table always holds 2^depth entries for palette images.
      const std::uint8_t* bgr =
          palette ? table + 4 * paletteIndex(in, x, layout.bitCount) : in + 3 * x;
      out[0] = bgr[0];
      out[1] = bgr[1];
      out[2] = bgr[2];
    }
  }
  return true;
}
}  // namespace

BitmapImage* readDibFile(const char* fileName, const char* askedName) {
  std::vector<std::uint8_t> file;
  if (!readWholeFile(fileName, &file)) {
    dib::reportOpenFailure(askedName != nullptr ? askedName : fileName);
    return nullptr;
  }
  dib::Layout layout;
  if (!dib::parseHeaderOrReport(file.data(), file.size(), &layout)) return nullptr;
  std::vector<std::uint8_t> section;
  if (!convertToSection(file.data() + layout.pixelOffset, layout, &section)) {
    dib::reportFailure(dib::messageConversionError);
    return nullptr;
  }
  return dib::imageOrReport(section.data(), layout.width, layout.height);
}
