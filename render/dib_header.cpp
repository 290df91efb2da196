#include "render/dib_header.h"

#include <cstring>
#include <limits>

namespace dib {
namespace {

std::uint16_t read16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void write16(std::uint8_t* p, std::uint32_t value) {
  p[0] = static_cast<std::uint8_t>(value);
  p[1] = static_cast<std::uint8_t>(value >> 8);
}

void write32(std::uint8_t* p, std::uint32_t value) {
  write16(p, value);
  write16(p + 2, value >> 16);
}

// Fields of either header kind, widened to the 40-byte form.
struct InfoFields {
  std::uint32_t headerSize;
  std::int32_t width;
  std::int32_t height;
  std::uint16_t planes;
  std::uint16_t bitCount;
  std::uint32_t compression;
  std::uint32_t imageSize;
  std::uint32_t xResolution;
  std::uint32_t yResolution;
  std::uint32_t coloursUsed;
  std::uint32_t coloursImportant;
};

InfoFields readCoreHeader(const std::uint8_t* h) {
  InfoFields f{};
  f.headerSize = coreHeaderSize;
  f.width = read16(h + 4);
  f.height = read16(h + 6);
  f.planes = read16(h + 8);
  f.bitCount = read16(h + 10);
  return f;
}

InfoFields readInfoHeader(const std::uint8_t* h) {
  InfoFields f{};
  f.headerSize = infoHeaderSize;
  f.width = static_cast<std::int32_t>(read32(h + 4));
  f.height = static_cast<std::int32_t>(read32(h + 8));
  f.planes = read16(h + 12);
  f.bitCount = read16(h + 14);
  f.compression = read32(h + 16);
  f.imageSize = read32(h + 20);
  f.xResolution = read32(h + 24);
  f.yResolution = read32(h + 28);
  f.coloursUsed = read32(h + 32);
  f.coloursImportant = read32(h + 36);
  return f;
}

std::uint32_t colourTableLength(const InfoFields& f) {
  if (f.headerSize == infoHeaderSize && f.coloursUsed != 0) return f.coloursUsed % 65536;
  switch (f.bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

bool depthAndCompressionFit(const InfoFields& f) {
  switch (f.compression) {
    case compressionNone:
      return f.bitCount == 1 || f.bitCount == 4 || f.bitCount == 8 || f.bitCount == 16 ||
             f.bitCount == 24 || f.bitCount == 32;
    case compressionRle8: return f.bitCount == 8 && f.height > 0;
    case compressionRle4: return f.bitCount == 4 && f.height > 0;
    case compressionBitFields: return f.bitCount == 16 || f.bitCount == 32;
    default: return false;  // embedded JPEG/PNG and unknown codes
  }
}

std::uint64_t rowCount(const InfoFields& f) {
  return static_cast<std::uint64_t>(f.height < 0 ? -static_cast<std::int64_t>(f.height) : f.height);
}

// The 24-bit copy must fit a 32-bit size field and a 32-bit process.
bool dimensionsFit(const InfoFields& f) {
  if (f.width <= 0 || f.height == 0 || f.height == std::numeric_limits<std::int32_t>::min())
    return false;
  std::uint64_t outputBytes = 3ull * static_cast<std::uint64_t>(f.width) * rowCount(f);
  return outputBytes <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
}

bool isCompressed(std::uint32_t compression) {
  return compression == compressionRle8 || compression == compressionRle4;
}

}  // namespace

std::size_t rowStride(std::int32_t width, unsigned bitCount) {
  std::uint64_t bits = static_cast<std::uint64_t>(width) * bitCount;
  return static_cast<std::size_t>(((bits + 31) / 32) * 4);
}

HeaderStatus parseHeader(const std::uint8_t* file, std::size_t size, Layout* layout) {
  bool hasFileHeader = size >= 2 && read16(file) == 0x4D42;  // "BM"
  std::size_t infoStart = hasFileHeader ? fileHeaderSize : 0;
  if (size < infoStart + 4) return HeaderStatus::unknownFormat;
  std::uint32_t headerSize = read32(file + infoStart);
  if (headerSize != coreHeaderSize && headerSize != infoHeaderSize) return HeaderStatus::unknownFormat;
  if (size - infoStart < headerSize) return HeaderStatus::unconvertible;

  bool core = headerSize == coreHeaderSize;
  InfoFields f = core ? readCoreHeader(file + infoStart) : readInfoHeader(file + infoStart);
  if (!dimensionsFit(f) || !depthAndCompressionFit(f)) return HeaderStatus::unconvertible;

  std::uint32_t length = colourTableLength(f);
  // Bit-field images keep their three channel masks where the table begins.
  std::uint32_t masks = f.compression == compressionBitFields ? 3 : 0;
  std::size_t entrySize = core ? 3 : 4;
  std::size_t tableStart = infoStart + headerSize;
  std::size_t tableBytes = (static_cast<std::size_t>(length) + masks) * entrySize;
  if (size - tableStart < tableBytes) return HeaderStatus::unconvertible;

  std::size_t pixelOffset = hasFileHeader ? read32(file + 10) : tableStart + tableBytes;
  if (pixelOffset >= size) return HeaderStatus::missingPixels;
  std::size_t available = size - pixelOffset;
  std::size_t pixelBytes;
  if (isCompressed(f.compression)) {
    // Run-length data has no size of its own; the converter may read up to
    // the image-size field, which must not reach past the file.
    pixelBytes = (f.imageSize == 0 || f.imageSize > available) ? available : f.imageSize;
  } else {
    std::uint64_t needed = rowStride(f.width, f.bitCount) * rowCount(f);
    if (needed > available) return HeaderStatus::missingPixels;
    pixelBytes = static_cast<std::size_t>(needed);
  }

  // A palette image converts through a full palette whatever the colour count
  // says, so the built table never ends before 2^depth entries (the missing
  // ones stay black).
  std::size_t fullPalette = f.bitCount <= 8 ? (std::size_t{1} << f.bitCount) : 0;
  std::size_t builtEntries = masks + (length > fullPalette ? length : fullPalette);
  layout->conversionHeader.assign(infoHeaderSize + builtEntries * 4, 0);
  std::uint8_t* h = layout->conversionHeader.data();
  write32(h, infoHeaderSize);
  write32(h + 4, static_cast<std::uint32_t>(f.width));
  write32(h + 8, static_cast<std::uint32_t>(f.height));
  write16(h + 12, f.planes);
  write16(h + 14, f.bitCount);
  write32(h + 16, f.compression);
  // The exact number of readable bytes, so the converter stays inside the file.
  write32(h + 20, static_cast<std::uint32_t>(pixelBytes));
  write32(h + 24, f.xResolution);
  write32(h + 28, f.yResolution);
  write32(h + 32, length);
  write32(h + 36, core ? length : f.coloursImportant);

  const std::uint8_t* source = file + tableStart;
  std::uint8_t* entry = h + infoHeaderSize;
  if (core) {
    for (std::uint32_t i = 0; i < length; ++i, source += 3, entry += 4)
      std::memcpy(entry, source, 3);  // the fourth byte stays 0
  } else {
    std::memcpy(entry, source, tableBytes);
  }

  layout->pixelOffset = pixelOffset;
  layout->pixelBytes = pixelBytes;
  layout->width = f.width;
  layout->height = f.height;
  layout->bitCount = f.bitCount;
  layout->compression = f.compression;
  layout->colourCount = length;
  return HeaderStatus::ok;
}
}  // namespace dib
