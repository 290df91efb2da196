// loadBitmapFile and the reader's reports on files the tests write: natively
// through tests/support/dib_reader_native.cpp, under Wine through GDI (the
// Windows test program lists this file too).

#include "render/bitmap_image.h"
#include "tests/unit/render/bmp_test_files.h"

using namespace bmptest;

TEST_F(BitmapReading, DecodesTheLayoutsEveryReaderTakesAndNothingForANullName) {
  EXPECT_EQ(loadBitmapFile(nullptr), nullptr);  // and says nothing, as the round trips check
  expectRoundTrips({{Encoding::palette1}, {Encoding::palette4}, {Encoding::palette8}, {Encoding::rgb24},
                    {Encoding::palette8, true, true}, {Encoding::rgb24, false},
                    {Encoding::rgb24, true, false, true}, {Encoding::palette8, true, false, true},
                    {Encoding::palette8, false}, {Encoding::palette4, false, true}});
}

// Which headers and fields are refused is the header parser's (its own
// tests); here each refusal reaches the player as its one report.
TEST_F(BitmapReading, BrokenFilesAreRefusedWithOneReport) {
  std::vector<std::uint8_t> core = encode(Picture(4, 4, Encoding::rgb24), {Encoding::rgb24, true, true});
  core[14 + 10] = 7;  // depth 7 in a core header
  const std::vector<std::uint8_t> good = encode(Picture(4, 4, Encoding::rgb24));
  const std::pair<std::vector<std::uint8_t>, std::string> cases[] = {
      {{}, "Failed to open DIB file broken.bmp.\n"},
      {encode(Picture(2, 2, Encoding::rgb24), {Encoding::rgb24, true, false, false, 124}), "Unknown DIB file format."},
      {{good.begin(), good.end() - 3}, "Image file conversion error."},  // pixels cut short
      {core, "Image file conversion error."}};
  const os::BoxStyle style{os::Buttons::ok, os::Icon::none, os::Owner::focusedWindow};
  for (const auto& [bytes, message] : cases) {
    os_->messageBoxes.clear();
    writeFile("broken.bmp", bytes);
    EXPECT_EQ(loadBitmapFile("broken.bmp"), nullptr);
    EXPECT_EQ(os_->messageBoxes, std::vector<RecordedMessageBox>({{message, "Error", style}}));
  }
}
