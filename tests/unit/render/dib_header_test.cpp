// The header parser on crafted files: a layout it accepts never reaches outside the file.

#include "render/dib_header.h"

#include <algorithm>

#include "tests/unit/render/bmp_test_files.h"

using namespace bmptest;
using dib::HeaderStatus;

static HeaderStatus parse(const std::vector<std::uint8_t>& file, dib::Layout* layout) {
  return dib::parseHeader(file.data(), file.size(), layout);
}

TEST(DibHeader, EveryTruncationIsRefused) {
  for (const Options& o : {Options{Encoding::palette8}, Options{Encoding::palette4, true, true}}) {
    std::vector<std::uint8_t> file = encode(Picture(5, 3, o.encoding), o);
    dib::Layout layout;
    ASSERT_EQ(parse(file, &layout), HeaderStatus::ok);
    // A copy of exactly `size` bytes, so a read past it is a real overrun.
    for (std::size_t size = 0; size < file.size(); ++size)
      ASSERT_NE(parse({file.begin(), file.begin() + size}, &layout), HeaderStatus::ok) << size;
  }
}

// Only a header of another size is of an unknown format; a known header
// whose fields no converter takes is unconvertible.
TEST(DibHeader, FieldsNoConverterTakesOrPointingOutsideTheFileAreRefused) {
  const std::vector<std::uint8_t> good = encode(Picture(4, 4, Encoding::rgb24));
  constexpr HeaderStatus unknown = HeaderStatus::unknownFormat, missing = HeaderStatus::missingPixels,
                         unconvertible = HeaderStatus::unconvertible;
  const std::tuple<std::size_t, std::uint32_t, HeaderStatus> cases[] = {
      {14, 108, unknown}, {14, 0, unknown}, {22, 0x80000000, unconvertible},  // header sizes, the most negative height
      {18, 0, unconvertible}, {18, 0xFFFFFFFE, unconvertible},  // widths: 0, negative,
      {18, 0x7FFFFFFF, unconvertible},                          // too large to copy
      {28, 7, unconvertible}, {30, 4, unconvertible}, {30, 1, unconvertible},  // depth 7, JPEG, 24-bit run lengths
      {46, 65535, unconvertible},  // a colour table longer than the file
      {10, std::uint32_t(good.size()), missing}, {10, 0xFFFFFFF0, missing}};  // past the end
  for (auto [at, value, expected] : cases) {
    std::vector<std::uint8_t> file = good;
    for (int i = 0; i < 4; ++i) file[at + i] = u8(value >> 8 * i);
    dib::Layout layout;
    EXPECT_EQ(parse(file, &layout), expected) << at << " " << value;
  }
}

// Run-length sizes past the end are cut to the file; a 7-colour table is padded
// with black to the 256 entries an 8-bit converter may index; OS/2 widths are unsigned.
TEST(DibHeader, AcceptedLayoutsStayInsideTheFile) {
  std::vector<std::uint8_t> file = encode(Picture(6, 3, Encoding::rle8), {Encoding::rle8, false});
  file[20 + 3] = 0x40;  // image size
  dib::Layout layout;
  ASSERT_EQ(parse(file, &layout), HeaderStatus::ok);
  EXPECT_EQ(layout.pixelOffset + layout.pixelBytes, file.size());
  const std::vector<std::uint8_t>& h = layout.conversionHeader;
  EXPECT_EQ(h[20] | h[21] << 8 | h[22] << 16 | h[23] << 24, static_cast<int>(layout.pixelBytes));  // told to GDI
  ASSERT_EQ(h.size(), 40u + 256u * 4u);
  EXPECT_TRUE(std::equal(h.begin() + 40, h.begin() + 68, file.begin() + 40));
  EXPECT_TRUE(std::all_of(h.begin() + 68, h.end(), [](std::uint8_t b) { return b == 0; }));
  file = encode(Picture(40000, 1, Encoding::palette8), {Encoding::palette8, true, true});
  EXPECT_TRUE(parse(file, &layout) == HeaderStatus::ok && layout.width == 40000);
}

// Without the 14-byte file header nothing says where the pixels are: they
// follow the colour table (4-byte entries after a 40-byte header, 3-byte
// entries after a 12-byte one).
TEST(DibHeader, PixelsOfAFileWithoutFileHeaderFollowTheColourTable) {
  const std::pair<Options, std::size_t> cases[] = {
      {{Encoding::palette8, false}, 40 + 4 * 7},        // 7 colours used
      {{Encoding::palette4, false, true}, 12 + 3 * 16},  // a full core table
      {{Encoding::palette1, false, true}, 12 + 3 * 2},
      {{Encoding::rgb24, false}, 40}};
  for (const auto& [options, pixelOffset] : cases) {
    const std::vector<std::uint8_t> file = encode(Picture(5, 3, options.encoding), options);
    dib::Layout layout;
    ASSERT_EQ(parse(file, &layout), HeaderStatus::ok) << pixelOffset;
    EXPECT_EQ(layout.pixelOffset, pixelOffset);
    EXPECT_EQ(layout.pixelOffset + layout.pixelBytes, file.size());  // the pixels end the file
  }
}

// The colours-used field counts modulo 65536: 65536 + 7 is a table of 7
// entries, 65536 one of none (the converter's table is then all black).
TEST(DibHeader, ColoursUsedIsTakenModulo65536) {
  const std::vector<std::uint8_t> good = encode(Picture(5, 3, Encoding::palette8));
  for (const auto& [coloursUsed, tableLength] : {std::pair{0x10007u, 7u}, {0x10000u, 0u}, {0x30007u, 7u}}) {
    std::vector<std::uint8_t> file = good;
    for (int i = 0; i < 4; ++i) file[14 + 32 + i] = u8(coloursUsed >> 8 * i);
    dib::Layout layout;
    ASSERT_EQ(parse(file, &layout), HeaderStatus::ok) << coloursUsed;
    EXPECT_EQ(layout.colourCount, tableLength);
    const std::vector<std::uint8_t>& h = layout.conversionHeader;
    EXPECT_TRUE(std::equal(h.begin() + 40, h.begin() + 40 + 4 * tableLength, good.begin() + 54));
    EXPECT_TRUE(std::all_of(h.begin() + 40 + 4 * tableLength, h.end(), [](std::uint8_t b) { return b == 0; }));
  }
}
