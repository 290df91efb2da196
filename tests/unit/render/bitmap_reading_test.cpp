// loadBitmapFile and the reader's reports, run through the native stand-in
// of the reader (tests/support/dib_reader_native.cpp).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "render/bitmap_image.h"
#include "tests/support/recording_os.h"
#include "tests/unit/render/bmp_test_files.h"

using namespace bmptest;
namespace fs = std::filesystem;

class BitmapReading : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 ("brakmoor_bmp_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(directory_);
    fs::create_directories(directory_);
    os_->focus = &focusMarker_;
  }
  void TearDown() override { fs::remove_all(directory_); }

  std::string path(const std::string& name) const { return (directory_ / name).string(); }

  void expectOneBox(const std::string& text) {
    ASSERT_EQ(os_->messageBoxes.size(), 1u);
    const RecordedMessageBox& box = os_->messageBoxes[0];
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.style, os::boxOk);
    EXPECT_EQ(box.owner, &focusMarker_);
  }

  // Writes `picture` encoded with `options`, reads it back through
  // loadBitmapFile and compares every pixel.
  void expectRoundTrip(const Picture& picture, const Options& options) {
    std::string name = path("picture.bmp");
    writeFile(name, encode(picture, options));
    BitmapImage* image = loadBitmapFile(name.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, picture.width);
    EXPECT_EQ(image->height, picture.height);
    std::size_t bytes = 3 * static_cast<std::size_t>(picture.width) * picture.height;
    EXPECT_EQ(std::vector<std::uint8_t>(image->pixels, image->pixels + bytes), picture.rgbBytes());
    freeBitmapImage(image);
  }

  ScopedRecordingOs os_;
  int focusMarker_ = 0;
  fs::path directory_;
};

TEST_F(BitmapReading, NullNameOrMissingFileGiveNothingAndSayNothing) {
  EXPECT_EQ(loadBitmapFile(nullptr), nullptr);
  EXPECT_EQ(loadBitmapFile(path("absent.bmp").c_str()), nullptr);
  EXPECT_TRUE(os_->messageBoxes.empty());
}

TEST_F(BitmapReading, ReadsPaletteAndTrueColourFilesOfOddWidths) {
  for (Encoding encoding : {Encoding::rgb24, Encoding::palette8, Encoding::palette4, Encoding::palette1}) {
    for (int width : {1, 2, 3, 5, 7}) {
      SCOPED_TRACE(::testing::Message() << static_cast<int>(encoding) << " width " << width);
      Options options;
      options.encoding = encoding;
      expectRoundTrip(patterned(width, 3, distinctColours(encoding == Encoding::palette1 ? 2 : 6)), options);
    }
  }
  EXPECT_TRUE(os_->messageBoxes.empty());
}

TEST_F(BitmapReading, EmptyFileIsReportedWithItsName) {
  writeFile(path("empty.bmp"), {});
  EXPECT_EQ(loadBitmapFile(path("empty.bmp").c_str()), nullptr);
  expectOneBox("Failed to open DIB file " + path("empty.bmp") + ".\n");
}

TEST_F(BitmapReading, ReaderGivenNoNameReportsAnOpenFailure) {
  EXPECT_EQ(readDibFile(nullptr), nullptr);
  expectOneBox("Failed to open DIB file .\n");
}

TEST_F(BitmapReading, NewerHeadersAreReportedAsUnknown) {
  Options options;
  options.headerSize = 124;
  writeFile(path("v5.bmp"), encode(patterned(2, 2, distinctColours(3)), options));
  EXPECT_EQ(readDibFile(path("v5.bmp").c_str()), nullptr);
  expectOneBox("Unknown DIB file format.");
}

TEST_F(BitmapReading, CutPixelDataIsAConversionError) {
  std::vector<std::uint8_t> file = encode(patterned(4, 4, distinctColours(3)));
  file.resize(file.size() - 3);
  writeFile(path("cut.bmp"), file);
  EXPECT_EQ(readDibFile(path("cut.bmp").c_str()), nullptr);
  expectOneBox("Image file conversion error.");
}
