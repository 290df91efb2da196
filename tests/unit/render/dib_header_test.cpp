// The header parser on crafted files: a layout it accepts never reaches outside the file.

#include "render/dib_header.h"

#include <algorithm>
#include <tuple>

#include "tests/unit/render/bmp_test_files.h"

using namespace bmptest;
using dib::HeaderStatus;

static std::pair<HeaderStatus, dib::Layout> parse(const std::vector<std::uint8_t>& file) {
  dib::Layout layout;
  return {dib::parseHeader(file.data(), file.size(), &layout), layout};
}

TEST(DibHeader, EveryTruncationIsRefused) {
  for (const Options& o : {Options{Encoding::palette8}, Options{Encoding::palette4, true, true}}) {
    const std::vector<std::uint8_t> file = encode(Picture(5, 3, o.encoding), o);
    ASSERT_EQ(parse(file).first, HeaderStatus::ok);
    // A copy of exactly `size` bytes, so a read past it is a real overrun.
    for (std::size_t size = 0; size < file.size(); ++size)
      ASSERT_NE(parse({file.begin(), file.begin() + size}).first, HeaderStatus::ok) << size;
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
      {18, 0, unconvertible}, {18, 0xFFFFFFFE, unconvertible}, {18, 0x7FFFFFFF, unconvertible},  // widths
      {28, 7, unconvertible}, {30, 4, unconvertible}, {30, 1, unconvertible},  // depth 7, JPEG, 24-bit run lengths
      {46, 65535, unconvertible},  // a colour table longer than the file
      {10, std::uint32_t(good.size()), missing}, {10, 0xFFFFFFF0, missing}};  // pixels past the end
  for (auto [at, value, expected] : cases) {
    std::vector<std::uint8_t> file = good;
    for (int i = 0; i < 4; ++i) file[at + i] = u8(value >> 8 * i);
    EXPECT_EQ(parse(file).first, expected) << at << " " << value;
  }
}

// Without a file header the pixels follow the colour table (4-byte entries
// after a 40-byte header, 3-byte ones after a 12-byte one); the colours-used
// field counts modulo 65536; run-length sizes past the end or not given
// are cut to the file, and told to GDI so; the converter's table is padded with black to 2^depth entries.
TEST(DibHeader, AcceptedLayoutsEndWithTheFileAndPadTheColourTable) {
  const struct { Options options; std::uint32_t coloursUsed, pixelOffset, colours; } cases[] = {
      {{Encoding::palette8, false}, 7, 40 + 4 * 7, 7},       {{Encoding::palette8}, 0x10007, 14 + 40 + 4 * 7 + 4, 7},
      {{Encoding::palette8}, 0x10000, 14 + 40 + 4 * 7 + 4, 0}, {{Encoding::palette4, false, true}, 0, 12 + 3 * 16, 16},
      {{Encoding::palette1, false, true}, 0, 12 + 3 * 2, 2}, {{Encoding::rle8, false}, 7, 40 + 4 * 7, 7},
      {{Encoding::rle8}, 7, 14 + 40 + 4 * 7 + 4, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pixelOffset);
    std::vector<std::uint8_t> file = encode(Picture(6, 3, c.options.encoding), c.options);
    const std::size_t info = c.options.fileHeader ? 14 : 0;
    if (!c.options.coreHeader) for (int i = 0; i < 4; ++i) file[info + 32 + i] = u8(c.coloursUsed >> 8 * i);
    if (c.options.encoding == Encoding::rle8)  // an image size past the end, or none
      for (int i = 0; i < 4; ++i) file[info + 20 + i] = c.options.fileHeader ? 0 : u8(0x40000000u >> 8 * i);
    const auto [status, layout] = parse(file);
    ASSERT_EQ(status, HeaderStatus::ok);
    EXPECT_EQ(layout.pixelOffset, c.pixelOffset);
    EXPECT_EQ(layout.pixelOffset + layout.pixelBytes, file.size());
    const std::vector<std::uint8_t>& h = layout.conversionHeader;
    EXPECT_EQ(h[20] | h[21] << 8 | h[22] << 16 | h[23] << 24, static_cast<int>(layout.pixelBytes));
    ASSERT_EQ(h.size(), 40u + 4u * (1u << bitCountOf(c.options.encoding)));  // 2^depth entries
    EXPECT_EQ(layout.colourCount, c.colours);
    EXPECT_TRUE(std::all_of(h.begin() + 40 + 4 * c.colours, h.end(), [](std::uint8_t b) { return b == 0; }));
  }
  const auto [status, layout] = parse(encode(Picture(40000, 1, Encoding::palette8), {Encoding::palette8, true, true}));
  EXPECT_TRUE(status == HeaderStatus::ok && layout.width == 40000);  // OS/2 widths are unsigned
}
