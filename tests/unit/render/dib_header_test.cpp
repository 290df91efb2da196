#include "render/dib_header.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/unit/render/bmp_test_files.h"

using namespace bmptest;

namespace {

std::uint32_t field32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t v;
  std::memcpy(&v, bytes.data() + at, 4);
  return v;
}

void setField32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t v) {
  std::memcpy(bytes.data() + at, &v, 4);
}

dib::HeaderStatus parse(const std::vector<std::uint8_t>& file, dib::Layout* layout) {
  return dib::parseHeader(file.data(), file.size(), layout);
}

// The pixel bytes the converter is given must be exactly the encoded rows.
void expectPixelsAtEnd(const std::vector<std::uint8_t>& file, const dib::Layout& layout,
                       std::size_t pixelBytes) {
  EXPECT_EQ(layout.pixelOffset, file.size() - pixelBytes);
  EXPECT_EQ(layout.pixelBytes, pixelBytes);
  EXPECT_EQ(field32(layout.conversionHeader, 20), pixelBytes);
}
}  // namespace

TEST(DibHeader, FileHeaderGivesInfoHeaderAtFourteenAndPixelsAtItsOffset) {
  Picture picture = patterned(5, 3, distinctColours(40));
  for (bool fileHeader : {true, false}) {
    SCOPED_TRACE(fileHeader);
    std::vector<std::uint8_t> file = encode(picture, {Encoding::rgb24, fileHeader});
    dib::Layout layout;
    ASSERT_EQ(parse(file, &layout), dib::HeaderStatus::ok);
    expectPixelsAtEnd(file, layout, 16 * 3);
    EXPECT_EQ(layout.width, 5);
    EXPECT_EQ(layout.height, 3);
    EXPECT_EQ(layout.bitCount, 24);
    EXPECT_EQ(layout.colourCount, 0u);
    ASSERT_EQ(layout.conversionHeader.size(), 40u);
    std::size_t infoStart = fileHeader ? 14 : 0;
    // Copied unchanged apart from the image size, which is filled in.
    EXPECT_EQ(std::memcmp(layout.conversionHeader.data(), file.data() + infoStart, 20), 0);
    EXPECT_EQ(std::memcmp(layout.conversionHeader.data() + 24, file.data() + infoStart + 24, 16), 0);
  }
}

TEST(DibHeader, DataOffsetOfTheFileHeaderIsFollowedEvenWithAGap) {
  std::vector<std::uint8_t> file = encode(patterned(2, 2, distinctColours(4)));
  std::uint32_t offset = field32(file, 10);
  file.insert(file.begin() + offset, 6, 0xAB);  // a gap before the pixels
  setField32(file, 10, offset + 6);
  dib::Layout layout;
  ASSERT_EQ(parse(file, &layout), dib::HeaderStatus::ok);
  EXPECT_EQ(layout.pixelOffset, offset + 6u);
}

TEST(DibHeader, ColourTableLengthFollowsColoursUsedOrTheDepth) {
  Picture picture = patterned(7, 4, distinctColours(3));
  struct Case {
    Encoding encoding;
    bool fullTable;
    std::uint32_t expected;
  } cases[] = {{Encoding::palette1, true, 2},   {Encoding::palette4, true, 16},
               {Encoding::palette8, true, 256}, {Encoding::palette8, false, 3},
               {Encoding::palette4, false, 3},  {Encoding::rgb24, false, 0}};
  Picture twoColours = patterned(7, 4, distinctColours(2));
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.encoding));
    Options options;
    options.encoding = c.encoding;
    options.fullTable = c.fullTable;
    for (bool fileHeader : {true, false}) {
      options.fileHeader = fileHeader;
      std::vector<std::uint8_t> file =
          encode(c.encoding == Encoding::palette1 ? twoColours : picture, options);
      dib::Layout layout;
      ASSERT_EQ(parse(file, &layout), dib::HeaderStatus::ok);
      EXPECT_EQ(layout.colourCount, c.expected);
      EXPECT_EQ(field32(layout.conversionHeader, 32), c.expected);
      std::size_t tableStart = (fileHeader ? 14 : 0) + 40;
      // Without a file header the pixels follow the table directly.
      EXPECT_EQ(layout.pixelOffset, tableStart + 4 * c.expected);
      EXPECT_EQ(std::memcmp(layout.conversionHeader.data() + 40, file.data() + tableStart, 4 * c.expected), 0);
    }
  }
}

TEST(DibHeader, ColoursUsedIsTakenModulo65536AndShortTablesArePaddedForTheConverter) {
  Picture picture = patterned(4, 2, distinctColours(2));
  Options options;
  options.encoding = Encoding::palette8;
  options.fileHeader = false;
  std::vector<std::uint8_t> file = encode(picture, options);
  setField32(file, 32, 65536 + 2);
  dib::Layout layout;
  ASSERT_EQ(parse(file, &layout), dib::HeaderStatus::ok);
  EXPECT_EQ(layout.colourCount, 2u);
  EXPECT_EQ(layout.pixelOffset, 40u + 8u);
  // Two real entries, then black up to the full 256 an 8-bit converter may index.
  ASSERT_EQ(layout.conversionHeader.size(), 40u + 256u * 4u);
  EXPECT_EQ(std::memcmp(layout.conversionHeader.data() + 40, file.data() + 40, 8), 0);
  for (std::size_t i = 48; i < layout.conversionHeader.size(); ++i)
    ASSERT_EQ(layout.conversionHeader[i], 0) << i;
}

TEST(DibHeader, CoreHeaderIsWidenedWithFourByteEntries) {
  Picture picture = patterned(3, 2, distinctColours(5));
  for (bool fileHeader : {true, false}) {
    SCOPED_TRACE(fileHeader);
    Options options;
    options.encoding = Encoding::palette4;
    options.coreHeader = true;
    options.fileHeader = fileHeader;
    std::vector<std::uint8_t> file = encode(picture, options);
    dib::Layout layout;
    ASSERT_EQ(parse(file, &layout), dib::HeaderStatus::ok);
    const std::vector<std::uint8_t>& h = layout.conversionHeader;
    ASSERT_EQ(h.size(), 40u + 16u * 4u);
    EXPECT_EQ(field32(h, 0), 40u);
    EXPECT_EQ(field32(h, 4), 3u);
    EXPECT_EQ(field32(h, 8), 2u);
    EXPECT_EQ(h[12] | h[13] << 8, 1);
    EXPECT_EQ(h[14] | h[15] << 8, 4);
    EXPECT_EQ(field32(h, 16), 0u);
    EXPECT_EQ(field32(h, 24), 0u);
    EXPECT_EQ(field32(h, 28), 0u);
    EXPECT_EQ(field32(h, 32), 16u);
    EXPECT_EQ(field32(h, 36), 16u);
    std::size_t tableStart = (fileHeader ? 14 : 0) + 12;
    for (int i = 0; i < 16; ++i) {
      EXPECT_EQ(std::memcmp(&h[40 + 4 * i], &file[tableStart + 3 * i], 3), 0) << i;
      EXPECT_EQ(h[40 + 4 * i + 3], 0) << i;
    }
    expectPixelsAtEnd(file, layout, 4 * 2);
    EXPECT_EQ(layout.pixelOffset, tableStart + 16 * 3);
  }
}

TEST(DibHeader, CoreHeaderSizesAreUnsigned) {
  Picture picture = patterned(40000, 1, distinctColours(7));
  Options options;
  options.encoding = Encoding::palette8;
  options.coreHeader = true;
  dib::Layout layout;
  ASSERT_EQ(parse(encode(picture, options), &layout), dib::HeaderStatus::ok);
  EXPECT_EQ(layout.width, 40000);
}

TEST(DibHeader, TopDownHeightKeepsItsSign) {
  Options options;
  options.topDown = true;
  dib::Layout layout;
  ASSERT_EQ(parse(encode(patterned(3, 4, distinctColours(9)), options), &layout), dib::HeaderStatus::ok);
  EXPECT_EQ(layout.height, -4);
  EXPECT_EQ(layout.rows(), 4);
  EXPECT_TRUE(layout.topDown());
  EXPECT_EQ(static_cast<std::int32_t>(field32(layout.conversionHeader, 8)), -4);
  EXPECT_EQ(layout.pixelBytes, 4u * 12u);
}

TEST(DibHeader, RunLengthDataIsBoundedByTheFile) {
  Options options;
  options.encoding = Encoding::rle8;
  std::vector<std::uint8_t> file = encode(patterned(6, 3, distinctColours(4)), options);
  std::size_t start = field32(file, 10);
  std::size_t encoded = file.size() - start;
  dib::Layout layout;
  ASSERT_EQ(parse(file, &layout), dib::HeaderStatus::ok);
  EXPECT_EQ(layout.pixelBytes, encoded);

  setField32(file, 14 + 20, 0);  // no size given: all the rest of the file
  ASSERT_EQ(parse(file, &layout), dib::HeaderStatus::ok);
  EXPECT_EQ(layout.pixelBytes, encoded);
  EXPECT_EQ(field32(layout.conversionHeader, 20), encoded);

  setField32(file, 14 + 20, 1u << 30);  // a size past the end is cut to the file
  ASSERT_EQ(parse(file, &layout), dib::HeaderStatus::ok);
  EXPECT_EQ(layout.pixelBytes, encoded);

  setField32(file, 14 + 20, 4);  // a smaller size is kept
  ASSERT_EQ(parse(file, &layout), dib::HeaderStatus::ok);
  EXPECT_EQ(layout.pixelBytes, 4u);
}

TEST(DibHeader, BitFieldMasksTravelWithTheHeader) {
  std::vector<std::uint8_t> file = encode(patterned(2, 2, extremeColours()), {Encoding::rgb565, false});
  dib::Layout layout;
  ASSERT_EQ(parse(file, &layout), dib::HeaderStatus::ok);
  EXPECT_EQ(layout.compression, dib::compressionBitFields);
  ASSERT_EQ(layout.conversionHeader.size(), 52u);
  EXPECT_EQ(std::memcmp(layout.conversionHeader.data() + 40, file.data() + 40, 12), 0);
  EXPECT_EQ(field32(layout.conversionHeader, 44), 0x07E0u);
  EXPECT_EQ(layout.pixelOffset, 52u);
}

TEST(DibHeader, HeadersOfOtherSizesAreUnknown) {
  Picture picture = patterned(2, 2, distinctColours(3));
  for (std::uint32_t size : {108u, 124u, 64u, 16u, 0u}) {
    Options options;
    options.headerSize = size < 40 ? 40 : size;
    std::vector<std::uint8_t> file = encode(picture, options);
    setField32(file, 14, size);
    dib::Layout layout;
    EXPECT_EQ(parse(file, &layout), dib::HeaderStatus::unknownFormat) << size;
  }
}

TEST(DibHeader, SizesDepthsAndCompressionsNoConverterTakesAreUnknown) {
  std::vector<std::uint8_t> good = encode(patterned(2, 2, distinctColours(3)));
  struct Case {
    std::size_t at;
    std::uint32_t value;
    bool sixteenBits;
  } cases[] = {
      {14 + 4, 0, false},           {14 + 4, 0xFFFFFFFE, false},  // width 0, negative
      {14 + 8, 0, false},           {14 + 8, 0x80000000, false},  // height 0, most negative
      {14 + 4, 0x7FFFFFFF, false},  // too large for a 32-bit copy
      {14 + 14, 0, true},           {14 + 14, 2, true},           {14 + 14, 7, true},  // depths
      {14 + 16, 4, false},          {14 + 16, 5, false},          {14 + 16, 9, false},  // JPEG, PNG
      {14 + 16, 1, false},  // run-length data of the wrong depth
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> file = good;
    if (c.sixteenBits) {
      file[c.at] = static_cast<std::uint8_t>(c.value);
      file[c.at + 1] = 0;
    } else {
      setField32(file, c.at, c.value);
    }
    dib::Layout layout;
    EXPECT_EQ(parse(file, &layout), dib::HeaderStatus::unknownFormat) << c.at << " " << c.value;
  }
}

TEST(DibHeader, EveryTruncationIsRefused) {
  Options palette;
  palette.encoding = Encoding::palette8;
  Options core = palette;
  core.coreHeader = true;
  Options bare;
  bare.fileHeader = false;
  for (const Options& options : {Options{}, palette, core, bare}) {
    std::vector<std::uint8_t> file = encode(patterned(5, 3, distinctColours(6)), options);
    for (std::size_t size = 0; size < file.size(); ++size) {
      // A copy of exactly `size` bytes, so a read past it is a real overrun.
      std::vector<std::uint8_t> cut(file.begin(), file.begin() + size);
      dib::Layout layout;
      ASSERT_NE(dib::parseHeader(cut.data(), cut.size(), &layout), dib::HeaderStatus::ok) << size;
    }
  }
}

TEST(DibHeader, PixelsMissingOrOutsideTheFileAreReportedAsSuch) {
  std::vector<std::uint8_t> file = encode(patterned(4, 4, distinctColours(5)));
  dib::Layout layout;
  std::vector<std::uint8_t> short1(file.begin(), file.end() - 1);
  EXPECT_EQ(parse(short1, &layout), dib::HeaderStatus::missingPixels);
  for (std::uint32_t offset : {static_cast<std::uint32_t>(file.size()), 0xFFFFFFF0u, 60u}) {
    std::vector<std::uint8_t> moved = file;
    setField32(moved, 10, offset);
    EXPECT_EQ(parse(moved, &layout), dib::HeaderStatus::missingPixels) << offset;
  }
}
