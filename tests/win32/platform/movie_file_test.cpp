// The movie file reader on Wine, with movies written by the system's AVI
// library.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/win32/movie_file.h"
#include "tests/support/recording_os.h"

namespace {

struct Rgb { std::uint8_t red, green, blue; };
// Upper and lower half of a frame in two colours show which way up it lands.
struct TwoTone { Rgb top, bottom; };
const Rgb orange{240, 120, 16}, teal{16, 160, 200}, violet{150, 30, 220};
const char* const movieFile = "data/avi/intro.avi";

bool sameColour(Rgb a, Rgb b, int tolerance = 8) {
  return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
         std::abs(a.blue - b.blue) <= tolerance;
}

// An uncompressed 24-bit movie of frames `width` (a multiple of 4, so rows
// need no padding) x `height`.
bool writeMovie(int width, int height, const std::vector<TwoTone>& frames) {
  const LONG frameBytes = width * 3 * height;
  AVISTREAMINFOA info{};
  info.fccType = streamtypeVIDEO;
  info.fccHandler = mmioFOURCC('D', 'I', 'B', ' ');
  info.dwScale = 1;
  info.dwRate = 25;
  SetRect(&info.rcFrame, 0, 0, width, height);
  BITMAPINFOHEADER format{sizeof format, width, height, 1, 24, BI_RGB, DWORD(frameBytes), 0, 0, 0, 0};
  AVIFileInit();
  PAVIFILE file = nullptr;
  PAVISTREAM stream = nullptr;
  bool ok = AVIFileOpenA(&file, movieFile, OF_CREATE | OF_WRITE, nullptr) == 0 &&
            AVIFileCreateStreamA(file, &stream, &info) == 0 &&
            AVIStreamSetFormat(stream, 0, &format, sizeof format) == 0;
  for (size_t i = 0; ok && i < frames.size(); ++i) {
    std::vector<std::uint8_t> pixels(frameBytes);
    for (LONG at = 0; at < frameBytes; at += 3) {
      Rgb colour = at < frameBytes / 2 ? frames[i].bottom : frames[i].top;  // bottom-up rows
      pixels[at] = colour.blue, pixels[at + 1] = colour.green, pixels[at + 2] = colour.red;
    }
    ok = AVIStreamWrite(stream, LONG(i), 1, pixels.data(), frameBytes, AVIIF_KEYFRAME, nullptr,
                        nullptr) == 0;
  }
  if (stream != nullptr) AVIStreamRelease(stream);
  if (file != nullptr) AVIFileRelease(file);
  AVIFileExit();
  return ok;
}

// A fresh working folder with data/avi and a movie reader with its memory
// device context, as the platform makes it.
class MovieFileTest : public ::testing::Test {
 protected:
  MovieFileTest() {
    char temp[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previousFolder_);
    GetTempPathA(MAX_PATH, temp);
    GetTempFileNameA(temp, "brk", 0, folder_);  // a new name, taken as a file
    DeleteFileA(folder_);
    CreateDirectoryA(folder_, nullptr);
    SetCurrentDirectoryA(folder_);
    CreateDirectoryA("data", nullptr);
    CreateDirectoryA("data\\avi", nullptr);
    movie_.memoryDC = CreateCompatibleDC(nullptr);
  }
  ~MovieFileTest() override {
    closeMovieFile(movie_);  // the movie file must be closed before it can go
    DeleteDC(movie_.memoryDC);
    DeleteFileA(movieFile);
    RemoveDirectoryA("data\\avi");
    RemoveDirectoryA("data");
    SetCurrentDirectoryA(previousFolder_);
    RemoveDirectoryA(folder_);
  }
  // The decoded frame's pixel, rows counted from the top.
  Rgb pixelAt(int x, int yFromTop) const {
    const std::uint8_t* p = &frame_[3 * ((movieTextureSide - 1 - yFromTop) * movieTextureSide + x)];
    return Rgb{p[0], p[1], p[2]};
  }

  char previousFolder_[MAX_PATH] = {}, folder_[MAX_PATH] = {};
  ScopedRecordingOs os_;
  MovieFile movie_;
  std::vector<std::uint8_t> frame_ = std::vector<std::uint8_t>(movieFrameBytes, 0);
};

// Each frame is scaled to the square upright in its own colours (red, green,
// blue); closing twice releases once: the stream loses exactly the reader's
// reference and the frame bitmap is really deleted.
TEST_F(MovieFileTest, DecodesFramesUprightInRgbAndCloseTwiceReleasesOnce) {
  ASSERT_TRUE(writeMovie(80, 60, {{orange, teal}, {violet, orange}}));
  EXPECT_EQ(openMovieFile(movie_, movieFile), 2);
  EXPECT_TRUE(os_->messageBoxes.empty());
  ASSERT_TRUE(decodeMovieFrame(movie_, 0, frame_.data()));
  EXPECT_TRUE(sameColour(pixelAt(128, 40), orange));
  EXPECT_TRUE(sameColour(pixelAt(128, 215), teal));
  ASSERT_TRUE(decodeMovieFrame(movie_, 1, frame_.data()));
  EXPECT_TRUE(sameColour(pixelAt(128, 40), violet));
  EXPECT_TRUE(sameColour(pixelAt(128, 215), orange));

  PAVISTREAM stream = movie_.stream;
  HBITMAP bitmap = movie_.dibSection;
  AVIStreamAddRef(stream);
  closeMovieFile(movie_);
  closeMovieFile(movie_);
  EXPECT_EQ(movie_.stream, nullptr);
  EXPECT_EQ(movie_.frameGrab, nullptr);
  EXPECT_EQ(movie_.frameBits, nullptr);
  EXPECT_FALSE(decodeMovieFrame(movie_, 0, frame_.data()));
  EXPECT_EQ(GetObjectType(bitmap), 0u) << "the frame bitmap is still alive";
  EXPECT_NE(movie_.memoryDC, nullptr) << "the memory DC lives for the whole process";
  EXPECT_EQ(AVIStreamRelease(stream), 0) << "the reader released more or less than its reference";

  EXPECT_EQ(openMovieFile(movie_, movieFile), 2);  // a new intro cycle opens it again
  ASSERT_TRUE(decodeMovieFrame(movie_, 0, frame_.data()));
  EXPECT_TRUE(sameColour(pixelAt(128, 40), orange));
}

TEST_F(MovieFileTest, AMissingMovieIsReportedAndDecodesNothing) {
  EXPECT_EQ(openMovieFile(movie_, movieFile), -1);
  ASSERT_EQ(os_->messageBoxes.size(), 1u);
  EXPECT_EQ(os_->messageBoxes[0].text, "Failed To Open The AVI Stream");
  EXPECT_EQ(os_->messageBoxes[0].caption, "Error");
  EXPECT_EQ(os_->messageBoxes[0].style, (os::BoxStyle{os::Buttons::ok, os::Icon::exclamation}));
  EXPECT_FALSE(decodeMovieFrame(movie_, 0, frame_.data()));
  closeMovieFile(movie_);
  EXPECT_FALSE(movie_.aviLibraryOpen);
}

}  // namespace
