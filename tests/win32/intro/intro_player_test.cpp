// The intro player on Wine, with movies written by the system's AVI library.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "intro/intro_movie.h"
#include "intro/intro_player.h"
#include "render/scene_projection.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"

namespace {

struct Rgb { std::uint8_t red, green, blue; };
// Upper and lower half of a frame in two colours show which way up it lands.
struct TwoTone { Rgb top, bottom; };
const Rgb orange{240, 120, 16}, teal{16, 160, 200}, violet{150, 30, 220}, black{0, 0, 0};
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

// A fresh working folder with data/avi, a 256 x 256 context with the intro
// window's projection and a clean movie state.
class IntroPlayer : public ::testing::Test {
 protected:
  IntroPlayer() {
    char temp[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previousFolder_);
    GetTempPathA(MAX_PATH, temp);
    GetTempFileNameA(temp, "brk", 0, folder_);  // a new name, taken as a file
    DeleteFileA(folder_);
    CreateDirectoryA(folder_, nullptr);
    SetCurrentDirectoryA(folder_);
    CreateDirectoryA("data", nullptr);
    CreateDirectoryA("data\\avi", nullptr);

    closeIntroMovie();
    HDC keptMemoryDc = introMovie.memoryDC;
    introMovie = IntroMovie{};
    introMovie.memoryDC = keptMemoryDc;
    // What an opened movie leaves, so updates run without a file.
    introMovie.keys = &keys_;
    resizeIntroScene(256, 256);
  }
  ~IntroPlayer() override {
    closeIntroMovie();  // the movie file must be closed before it can go
    DeleteFileA(movieFile);
    RemoveDirectoryA("data\\avi");
    RemoveDirectoryA("data");
    SetCurrentDirectoryA(previousFolder_);
    RemoveDirectoryA(folder_);
  }
  Rgb pixelAt(int x, int yFromTop) {
    std::vector<std::uint8_t> pixels = gl_.readPixels();
    const std::uint8_t* p = &pixels[4 * ((gl_.height() - 1 - yFromTop) * gl_.width() + x)];
    return Rgb{p[0], p[1], p[2]};
  }

  char previousFolder_[MAX_PATH] = {}, folder_[MAX_PATH] = {};
  ScopedRecordingOs os_;
  TestGlContext gl_;
  KeyDownArray keys_{};
};

TEST(SwapRedBlue, ExchangesOuterBytesOfEveryPixelAndNothingBeyond) {
  std::vector<std::uint8_t> buffer(movieFrameBytes + 16);  // 16 guard bytes
  for (size_t i = 0; i < buffer.size(); ++i) buffer[i] = std::uint8_t(i * 7 + 3);
  const std::vector<std::uint8_t> original = buffer;
  swapRedBlue(buffer.data());
  for (size_t at = 0; at < movieFrameBytes; at += 3) {
    ASSERT_EQ(buffer[at], original[at + 2]) << "byte " << at;
    ASSERT_EQ(buffer[at + 1], original[at + 1]) << "byte " << at;
    ASSERT_EQ(buffer[at + 2], original[at]) << "byte " << at;
  }
  EXPECT_TRUE(std::equal(buffer.begin() + movieFrameBytes, buffer.end(),
                         original.begin() + movieFrameBytes));
}

TEST_F(IntroPlayer, FramesFollowTimeAtThirtySixMillisecondsThenEndAndRewind) {
  introMovie.lastFrame = 10;
  EXPECT_EQ(updateIntro(35), IntroRequest::none);
  EXPECT_EQ(introMovie.currentFrame, 0);
  updateIntro(1);
  EXPECT_EQ(introMovie.currentFrame, 1);
  updateIntro(71);
  EXPECT_EQ(introMovie.currentFrame, 2);
  EXPECT_EQ(introMovie.elapsed, 107);
  EXPECT_EQ(updateIntro(252), IntroRequest::none);  // 359 ms: still the last frame
  EXPECT_EQ(introMovie.currentFrame, 9);
  EXPECT_EQ(updateIntro(1), IntroRequest::end);  // 360 ms = 10 x 36
  EXPECT_EQ(introMovie.currentFrame, 0);
  EXPECT_EQ(introMovie.elapsed, 0);

  // A wrapped tick difference or an empty movie ends at the first update.
  for (int frames : {10, 0}) {
    introMovie.lastFrame = frames;
    EXPECT_EQ(updateIntro(frames == 0 ? 0 : 4000000000u), IntroRequest::end);
    EXPECT_EQ(introMovie.currentFrame, 0);
  }
}

// F1 asks for the toggle in every update it is held; an update that ends the
// intro (Escape, or the movie's last frame) asks for nothing else, so no
// request is left behind for the game's message pump.
TEST_F(IntroPlayer, HeldF1AsksForTheToggleEveryUpdateAndTheEndWinsOverIt) {
  introMovie.lastFrame = 100;
  keys_.down[VK_F1] = 1;
  EXPECT_EQ(updateIntro(10), IntroRequest::fullScreenToggle);
  EXPECT_EQ(updateIntro(10), IntroRequest::fullScreenToggle);
  keys_.down[VK_ESCAPE] = 1;
  EXPECT_EQ(updateIntro(0), IntroRequest::end);
  keys_.down[VK_ESCAPE] = 0;
  EXPECT_EQ(updateIntro(3600), IntroRequest::end);  // F1 on the last frame
}

// Each frame reaches the screen upright in its own colours, also when drawn
// twice; closing twice releases once: the stream loses exactly the player's
// reference and the frame bitmap is really deleted.
TEST_F(IntroPlayer, DrawsFramesUprightAndCloseTwiceReleasesOnce) {
  ASSERT_TRUE(gl_.ok());
  ASSERT_TRUE(writeMovie(80, 60, {{orange, teal}, {violet, orange}}));
  EXPECT_EQ(initIntro(&keys_), 1);
  EXPECT_TRUE(os_->messageBoxes.empty());
  ASSERT_EQ(os_->sounds.size(), 1u);
  EXPECT_EQ(os_->sounds[0].fileName, "data/wav/intro.wav");
  EXPECT_EQ(os_->sounds[0].mode, os::SoundMode::async | os::SoundMode::noWait);
  auto expectPicture = [this](Rgb top, Rgb bottom) {
    for (int draw = 0; draw < 2; ++draw) {
      drawIntro();
      EXPECT_TRUE(sameColour(pixelAt(128, 40), top));
      EXPECT_TRUE(sameColour(pixelAt(128, 215), bottom));
    }
  };
  expectPicture(orange, teal);
  updateIntro(36);
  expectPicture(violet, orange);
  EXPECT_EQ(updateIntro(36), IntroRequest::end);  // rewound to the first frame

  PAVISTREAM stream = introMovie.stream;
  HBITMAP bitmap = introMovie.dibSection;
  AVIStreamAddRef(stream);
  closeIntroMovie();
  closeIntroMovie();
  EXPECT_EQ(introMovie.stream, nullptr);
  EXPECT_EQ(introMovie.frameGrab, nullptr);
  EXPECT_EQ(introMovie.frameBits, nullptr);
  EXPECT_EQ(GetObjectType(bitmap), 0u) << "the frame bitmap is still alive";
  EXPECT_NE(introMovie.memoryDC, nullptr) << "the memory DC lives for the whole process";
  EXPECT_EQ(AVIStreamRelease(stream), 0) << "the player released more or less than its reference";

  initIntro(&keys_);  // a new cycle opens the movie again
  expectPicture(orange, teal);
}

// Without a movie the player says so once, shows black, and ends the intro
// by itself about a second later so the game still starts.
TEST_F(IntroPlayer, AMissingMovieIsReportedAndTheIntroStillEnds) {
  EXPECT_EQ(initIntro(&keys_), 1);
  ASSERT_EQ(os_->messageBoxes.size(), 1u);
  EXPECT_EQ(os_->messageBoxes[0].text, "Failed To Open The AVI Stream");
  EXPECT_EQ(os_->messageBoxes[0].caption, "Error");
  EXPECT_EQ(os_->messageBoxes[0].style, (os::BoxStyle{os::Buttons::ok, os::Icon::exclamation}));
  EXPECT_EQ(os_->sounds.size(), 1u);
  int elapsed = 0;
  for (bool ended = false; !ended && elapsed < 60000; elapsed += 36) {
    drawIntro();
    EXPECT_TRUE(sameColour(pixelAt(128, 128), black, 0));
    ended = updateIntro(36) == IntroRequest::end;
  }
  EXPECT_GE(elapsed, 500);
  EXPECT_LE(elapsed, 3000);
  closeIntroMovie();
  EXPECT_FALSE(introMovie.aviLibraryOpen);
}

}  // namespace
