// The GDI reader on files of every layout it must take, each decoded pixel
// compared with the picture that was encoded. The reader-independent cases
// (missing, empty and unknown files) run from the shared native test file.

#include <gtest/gtest.h>

#include <string>

#include "render/bitmap_image.h"
#include "tests/support/recording_os.h"
#include "tests/unit/render/bitmap_reading_test.cpp"
#include "tests/unit/render/bmp_test_files.h"

using namespace bmptest;

namespace {
struct Layout {
  const char* name;
  Encoding encoding;
  bool fileHeader;
  bool coreHeader;
  bool topDown;
};

const Layout layouts[] = {
    {"palette1", Encoding::palette1, true, false, false},
    {"palette4", Encoding::palette4, true, false, false},
    {"palette8", Encoding::palette8, true, false, false},
    {"rle8", Encoding::rle8, true, false, false},
    {"rgb16", Encoding::rgb16, true, false, false},
    {"rgb565", Encoding::rgb565, true, false, false},
    {"rgb24", Encoding::rgb24, true, false, false},
    {"rgb32", Encoding::rgb32, true, false, false},
    {"core8", Encoding::palette8, true, true, false},
    {"core24", Encoding::rgb24, true, true, false},
    {"core1NoFileHeader", Encoding::palette1, false, true, false},
    {"palette4NoFileHeader", Encoding::palette4, false, false, false},
    {"rgb24NoFileHeader", Encoding::rgb24, false, false, false},
    {"rle8NoFileHeader", Encoding::rle8, false, false, false},
    {"rgb24TopDown", Encoding::rgb24, true, false, true},
    {"palette8TopDown", Encoding::palette8, true, false, true},
    {"rgb16TopDown", Encoding::rgb16, true, false, true},
};

std::vector<Rgb> coloursFor(Encoding encoding) {
  switch (encoding) {
    case Encoding::palette1: return distinctColours(2);
    case Encoding::rgb16:
    case Encoding::rgb565: return extremeColours();
    case Encoding::rgb24:
    case Encoding::rgb32: return distinctColours(23);
    default: return distinctColours(7);
  }
}

class GdiReader : public BitmapReading, public ::testing::WithParamInterface<Layout> {};
}  // namespace

TEST_P(GdiReader, DecodesEveryPixelForEveryWidth) {
  const Layout& layout = GetParam();
  for (int width : {1, 2, 3, 5, 7, 16}) {
    SCOPED_TRACE(width);
    Options options;
    options.encoding = layout.encoding;
    options.fileHeader = layout.fileHeader;
    options.coreHeader = layout.coreHeader;
    options.topDown = layout.topDown;
    expectRoundTrip(patterned(width, 3, coloursFor(layout.encoding)), options);
  }
  EXPECT_TRUE(os_->messageBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Layouts, GdiReader, ::testing::ValuesIn(layouts),
                         [](const ::testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

TEST_F(BitmapReading, HeadersOf108And124BytesAreUnknown) {
  for (std::uint32_t size : {108u, 124u}) {
    SCOPED_TRACE(size);
    os_->messageBoxes.clear();
    Options options;
    options.headerSize = size;
    writeFile(path("new.bmp"), encode(patterned(2, 2, distinctColours(3)), options));
    EXPECT_EQ(readDibFile(path("new.bmp").c_str()), nullptr);
    expectOneBox("Unknown DIB file format.");
  }
}

// Run-length data is decoded by GDI from bytes the header only bounds; broken
// runs must still end in a picture of the stated size or in one report.
TEST_F(BitmapReading, BrokenRunLengthDataHasADefinedOutcome) {
  const std::vector<std::vector<std::uint8_t>> brokenRuns = {
      {200, 1, 200, 2, 0, 1},        // runs longer than the row
      {0, 2, 250, 250, 3, 1, 0, 1},  // a jump far past the picture
      {0, 40, 1, 2},                 // literal run longer than the data
      {3, 1},                        // no end of picture
  };
  Options options;
  options.encoding = Encoding::rle8;
  std::vector<std::uint8_t> valid = encode(patterned(4, 3, distinctColours(3)), options);
  std::size_t pixelStart = valid[10] | valid[11] << 8;
  for (const std::vector<std::uint8_t>& runs : brokenRuns) {
    os_->messageBoxes.clear();
    std::vector<std::uint8_t> file(valid.begin(), valid.begin() + pixelStart);
    file.insert(file.end(), runs.begin(), runs.end());
    file[14 + 20] = static_cast<std::uint8_t>(runs.size());  // image size of the new data
    writeFile(path("broken.bmp"), file);
    BitmapImage* image = readDibFile(path("broken.bmp").c_str());
    if (image != nullptr) {
      EXPECT_EQ(image->width, 4);
      EXPECT_EQ(image->height, 3);
      EXPECT_TRUE(os_->messageBoxes.empty());
      freeBitmapImage(image);
    } else {
      expectOneBox("Image file conversion error.");
    }
  }
}
