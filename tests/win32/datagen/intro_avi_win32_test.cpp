// The generated intro movie through the Windows AVI file library, the way
// the intro player opens it: the video stream, its frame rectangle and
// length, and a decoded picture for every frame.
#include <gtest/gtest.h>

#include <windows.h>
#include <vfw.h>

#include <algorithm>
#include <string>

TEST(AviLibrary, OpensTheIntroAndDecodesEveryFrame) {
  const std::string movie = std::string(BRAKMOOR_DATA_DIR) + "/data/avi/intro.avi";
  AVIFileInit();
  PAVISTREAM stream = nullptr;
  ASSERT_EQ(AVIStreamOpenFromFileA(&stream, movie.c_str(), streamtypeVIDEO, 0, OF_READ, nullptr), 0) << movie;
  AVISTREAMINFOA info{};
  EXPECT_EQ(AVIStreamInfoA(stream, &info, sizeof info), 0);
  LONG width = info.rcFrame.right - info.rcFrame.left, height = info.rcFrame.bottom - info.rcFrame.top;
  EXPECT_TRUE(width > 0 && height > 0) << width << " x " << height;
  LONG length = AVIStreamLength(stream);
  EXPECT_TRUE(length * 36 >= 5000 && length * 36 <= 8000) << length << " frames of 36 ms";
  PGETFRAME frames = AVIStreamGetFrameOpen(stream, nullptr);
  EXPECT_NE(frames, nullptr) << "no decoder for the frames";
  int lit = 0;
  for (LONG i = 0; frames && i < length; ++i) {
    auto* header = static_cast<const BITMAPINFOHEADER*>(AVIStreamGetFrame(frames, i));
    if (header == nullptr) {
      ADD_FAILURE() << "frame " << i << " not decoded";
      break;
    }
    EXPECT_TRUE(header->biWidth == width && header->biHeight == height) << "frame " << i;
    // A picture, not a blank: some byte of the pixels is not zero.
    const BYTE* pixels = reinterpret_cast<const BYTE*>(header) + header->biSize + 4 * header->biClrUsed;
    DWORD bytes = header->biSizeImage ? header->biSizeImage : ((width * header->biBitCount / 8 + 3) & ~3) * height;
    lit += std::any_of(pixels, pixels + bytes, [](BYTE b) { return b != 0; });
  }
  EXPECT_GT(lit, length / 2) << "most frames show a picture";
  if (frames) AVIStreamGetFrameClose(frames);
  AVIStreamRelease(stream);
  AVIFileExit();
}
