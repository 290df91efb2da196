// loadBitmapFile and the reader's reports on files the tests write: natively
// through tests/support/dib_reader_native.cpp, under Wine through GDI (the
// Windows test program lists this file too).

#include "render/bitmap_image.h"
#include "tests/unit/render/bmp_test_files.h"

using namespace bmptest;

TEST_F(BitmapReading, NullNameOrMissingFileGiveNothingAndSayNothing) {
  EXPECT_EQ(loadBitmapFile(nullptr), nullptr);
  EXPECT_EQ(loadBitmapFile("absent.bmp"), nullptr);
  EXPECT_TRUE(os_->messageBoxes.empty());
}

TEST_F(BitmapReading, DecodesTheLayoutsEveryReaderTakes) {
  expectRoundTrips({{Encoding::palette1}, {Encoding::palette4}, {Encoding::palette8}, {Encoding::rgb24},
                    {Encoding::palette8, true, true}, {Encoding::rgb24, false},
                    {Encoding::rgb24, true, false, true}, {Encoding::palette8, true, false, true},
                    {Encoding::palette8, false}, {Encoding::palette4, false, true}});
}

// A header of another size is of an unknown format; what a 12- or 40-byte
// header describes but cannot be converted is a conversion error.
TEST_F(BitmapReading, BrokenFilesAreRefusedWithOneReport) {
  const std::vector<std::uint8_t> good = encode(Picture(4, 4, Encoding::rgb24));
  const auto withField = [](std::vector<std::uint8_t> file, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file[at + i] = u8(value >> 8 * i);
    return file;
  };
  const std::vector<std::uint8_t> core = encode(Picture(4, 4, Encoding::rgb24), {Encoding::rgb24, true, true});
  const std::pair<std::vector<std::uint8_t>, std::string> cases[] = {
      {{}, "Failed to open DIB file broken.bmp.\n"},
      {encode(Picture(2, 2, Encoding::rgb24), {Encoding::rgb24, true, false, false, 108}), "Unknown DIB file format."},
      {encode(Picture(2, 2, Encoding::rgb24), {Encoding::rgb24, true, false, false, 124}), "Unknown DIB file format."},
      {{good.begin(), good.end() - 3}, "Image file conversion error."},  // pixels cut short
      {withField(good, 14 + 14, 7, 2), "Image file conversion error."},  // depth 7
      {withField(good, 14 + 16, 4, 4), "Image file conversion error."},  // embedded JPEG
      {withField(good, 14 + 4, 0, 4), "Image file conversion error."},   // width 0
      {withField(core, 14 + 10, 7, 2), "Image file conversion error."},  // depth 7 in a core header
      {{good.begin(), good.begin() + 14 + 20}, "Image file conversion error."}};  // header cut short
  for (const auto& [bytes, message] : cases) {
    writeFile("broken.bmp", bytes);
    EXPECT_EQ(loadBitmapFile("broken.bmp"), nullptr);
    expectOneBox(message);
  }
}
