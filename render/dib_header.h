#pragma once
// Header parsing of BMP (device-independent bitmap) files, kept apart from the
// platform's pixel conversion so that it can be checked on any input. From the
// bytes of a whole file it finds the info header, the colour table and the
// pixel data, and builds the 40-byte info header with 4-byte colour entries
// that the converter takes. Every size and offset is checked against the
// buffer: the layout it returns never points outside the file.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dib {
constexpr std::uint32_t coreHeaderSize = 12;   // OS/2 style
constexpr std::uint32_t infoHeaderSize = 40;
constexpr std::size_t fileHeaderSize = 14;

constexpr std::uint32_t compressionNone = 0;
constexpr std::uint32_t compressionRle8 = 1;
constexpr std::uint32_t compressionRle4 = 2;
constexpr std::uint32_t compressionBitFields = 3;

enum class HeaderStatus {
  ok,
  // Not a header of 12 or 40 bytes (or too short to tell its size).
  unknownFormat,
  // A header of a known size whose rest no converter takes: cut short, or
  // with dimensions, depth or compression it cannot convert, or a colour
  // table cut short.
  unconvertible,
  // The pixel data the header announces is not (all) in the file.
  missingPixels,
};

struct Layout {
  // 40-byte info header followed by the colour table, entries of 4 bytes
  // (blue, green, red, 0); for bit-field images the three masks come first.
  std::vector<std::uint8_t> conversionHeader;
  std::size_t pixelOffset = 0;  // from the start of the file
  std::size_t pixelBytes = 0;   // how many bytes the converter may read there
  std::int32_t width = 0;
  std::int32_t height = 0;      // negative for files stored top row first
  std::uint16_t bitCount = 0;
  std::uint32_t compression = compressionNone;
  std::uint32_t colourCount = 0;  // colour-table length (masks not counted)

  std::int32_t rows() const { return height < 0 ? -height : height; }
  bool topDown() const { return height < 0; }
};

// Bytes per stored row for `bitCount` bits per pixel: rows of BMP pixel data
// and of DIB sections are padded to a multiple of 4 bytes.
std::size_t rowStride(std::int32_t width, unsigned bitCount);

HeaderStatus parseHeader(const std::uint8_t* file, std::size_t size, Layout* layout);
}  // namespace dib
