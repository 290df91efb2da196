// The generated intro movie through the Windows AVI file library, the way
// the intro player opens it: the video stream, its frame rectangle and
// length, and a decoded picture for every frame.
#include <gtest/gtest.h>

#include <windows.h>
#include <vfw.h>

#include <string>

namespace {
const std::string kMovie = std::string(BRAKMOOR_DATA_DIR) + "/data/avi/intro.avi";

class AviLibrary : public ::testing::Test {
 protected:
  void SetUp() override { AVIFileInit(); }
  void TearDown() override {
    if (frames_) AVIStreamGetFrameClose(frames_);
    if (stream_) AVIStreamRelease(stream_);
    AVIFileExit();
  }
  PAVISTREAM stream_ = nullptr;
  PGETFRAME frames_ = nullptr;
};

// Sum of a decoded frame's bytes, to tell a picture from a blank.
unsigned long long pixelSum(const BITMAPINFOHEADER* header) {
  const BYTE* pixels = reinterpret_cast<const BYTE*>(header) + header->biSize + 4 * header->biClrUsed;
  unsigned long long sum = 0;
  DWORD bytes = header->biSizeImage ? header->biSizeImage
                                    : ((header->biWidth * header->biBitCount / 8 + 3) & ~3) * header->biHeight;
  for (DWORD i = 0; i < bytes; ++i) sum += pixels[i];
  return sum;
}
}  // namespace

TEST_F(AviLibrary, OpensTheIntroAndDecodesEveryFrame) {
  ASSERT_EQ(AVIStreamOpenFromFileA(&stream_, kMovie.c_str(), streamtypeVIDEO, 0, OF_READ, nullptr), 0)
      << "cannot open " << kMovie;
  AVISTREAMINFOA info{};
  ASSERT_EQ(AVIStreamInfoA(stream_, &info, sizeof info), 0);
  LONG width = info.rcFrame.right - info.rcFrame.left, height = info.rcFrame.bottom - info.rcFrame.top;
  EXPECT_GT(width, 0);
  EXPECT_GT(height, 0);
  LONG length = AVIStreamLength(stream_);
  // 5 to 8 seconds at 36 ms per frame.
  EXPECT_GE(length * 36, 5000);
  EXPECT_LE(length * 36, 8000);

  frames_ = AVIStreamGetFrameOpen(stream_, nullptr);
  ASSERT_NE(frames_, nullptr) << "no decoder for the frames";
  int lit = 0;
  for (LONG i = 0; i < length; ++i) {
    auto* header = static_cast<BITMAPINFOHEADER*>(AVIStreamGetFrame(frames_, i));
    ASSERT_NE(header, nullptr) << "frame " << i;
    EXPECT_EQ(header->biWidth, width);
    EXPECT_EQ(header->biHeight, height);
    lit += pixelSum(header) > 0 ? 1 : 0;
  }
  EXPECT_GT(lit, length / 2) << "most frames show a picture";
}
