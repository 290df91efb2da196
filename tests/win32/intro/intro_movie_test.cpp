#include <gtest/gtest.h>

#include "intro/intro_player.h"
#include "tests/win32/intro/movie_fixture.h"

namespace {
const Rgb orange{240, 120, 16};
const Rgb teal{16, 160, 200};
const Rgb violet{150, 30, 220};
const Rgb lime{100, 230, 40};
const Rgb black{0, 0, 0};
}  // namespace

class IntroMovieTest : public IntroFixtureBase, public ::testing::Test {
 protected:
  // The movie file must be closed before its folder can be removed.
  void TearDown() override { closeIntroMovie(); }
  ScratchFolder folder_;
};

// A real movie plays: every frame reaches the screen upright, in its own
// colours, and the sound starts with the movie.
TEST_F(IntroMovieTest, DrawsEachFrameUprightInItsColours) {
  ASSERT_TRUE(gl_.ok());
  std::vector<TwoToneFrame> frames = {{orange, teal}, {violet, lime}, {teal, orange}};
  ASSERT_TRUE(writeTwoToneMovie(folder_.movieFolderReady(), 80, 60, frames));

  EXPECT_EQ(initIntro(&record_, &keys_), 1);
  EXPECT_TRUE(os_->messageBoxes.empty());
  EXPECT_EQ(introMovie.lastFrame, 3);
  EXPECT_EQ(introMovie.movieWidth, 80);
  EXPECT_EQ(introMovie.movieHeight, 60);
  ASSERT_EQ(os_->sounds.size(), 1u);
  EXPECT_EQ(os_->sounds[0].fileName, "data/wav/intro.wav");
  EXPECT_EQ(os_->sounds[0].flags, 0x22001u);

  for (int frame = 0; frame < 3; ++frame) {
    drawIntro();
    Rgb top = pixelAt(128, 40);
    Rgb bottom = pixelAt(128, 215);
    EXPECT_TRUE(sameColour(top, frames[frame].top))
        << "frame " << frame << " top " << int(top.red) << "," << int(top.green) << ","
        << int(top.blue);
    EXPECT_TRUE(sameColour(bottom, frames[frame].bottom))
        << "frame " << frame << " bottom " << int(bottom.red) << "," << int(bottom.green)
        << "," << int(bottom.blue);
    // The same frame drawn twice must not swap its colours back.
    drawIntro();
    EXPECT_TRUE(sameColour(pixelAt(128, 40), frames[frame].top)) << "frame " << frame;
    updateIntro(36);
  }
  EXPECT_EQ(introRunning, 0);
  drawIntro();  // rewound: the last picture is the first frame
  EXPECT_TRUE(sameColour(pixelAt(128, 40), orange));

  // Without a decoder the last picture stays as it was, colours included.
  PGETFRAME decoder = introMovie.frameGrab;
  introMovie.frameGrab = nullptr;
  drawIntro();
  introMovie.frameGrab = decoder;
  EXPECT_TRUE(sameColour(pixelAt(128, 40), orange));
  EXPECT_TRUE(sameColour(pixelAt(128, 215), teal));
}

// Closing twice releases everything once: the stream loses exactly the one
// reference the player held, and the frame bitmap is really deleted.
TEST_F(IntroMovieTest, CloseTwiceReleasesOnce) {
  ASSERT_TRUE(writeTwoToneMovie(folder_.movieFolderReady(), 32, 32, {{orange, teal}}));
  initIntro(&record_, &keys_);
  ASSERT_NE(introMovie.stream, nullptr);
  ASSERT_NE(introMovie.frameGrab, nullptr);
  PAVISTREAM stream = introMovie.stream;
  HBITMAP bitmap = introMovie.dibSection;
  AVIStreamAddRef(stream);

  closeIntroMovie();
  closeIntroMovie();

  EXPECT_EQ(introMovie.stream, nullptr);
  EXPECT_EQ(introMovie.frameGrab, nullptr);
  EXPECT_EQ(introMovie.drawDib, nullptr);
  EXPECT_EQ(introMovie.frameBits, nullptr);
  EXPECT_EQ(GetObjectType(bitmap), 0u) << "the frame bitmap is still alive";
  EXPECT_NE(introMovie.memoryDC, nullptr) << "the memory DC lives for the whole process";
  EXPECT_EQ(AVIStreamRelease(stream), 0) << "the player released more or less than its reference";

  // A new cycle opens the movie again after the double close.
  initIntro(&record_, &keys_);
  EXPECT_NE(introMovie.frameGrab, nullptr);
  drawIntro();
  EXPECT_TRUE(sameColour(pixelAt(128, 40), orange));
}

// Without a movie file the player says so once, shows black, and ends the
// intro by itself about a second later so the game still starts.
TEST_F(IntroMovieTest, MissingMovieShowsItsMessageAndBlackThenEnds) {
  EXPECT_EQ(initIntro(&record_, &keys_), 1);
  ASSERT_EQ(os_->messageBoxes.size(), 1u);
  EXPECT_EQ(os_->messageBoxes[0].text, "Failed To Open The AVI Stream");
  EXPECT_EQ(os_->messageBoxes[0].caption, "Error");
  EXPECT_EQ(os_->messageBoxes[0].style, 0x30u);
  EXPECT_EQ(os_->messageBoxes[0].owner, nullptr);
  EXPECT_EQ(os_->sounds.size(), 1u);

  int updates = 0;
  while (introRunning == 1 && updates < 1000) {
    drawIntro();
    EXPECT_TRUE(sameColour(pixelAt(128, 128), black, 0));
    updateIntro(36);
    ++updates;
  }
  EXPECT_EQ(introRunning, 0);
  EXPECT_GE(updates * 36, 500);
  EXPECT_LE(updates * 36, 3000);
  closeIntroMovie();
  EXPECT_FALSE(introMovie.aviLibraryOpen);
}

// A file that is not a movie: same message, same outcome, no crash.
TEST_F(IntroMovieTest, BrokenMovieFileIsReportedLikeAMissingOne) {
  std::string path = folder_.movieFolderReady();
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("RIFF\x10\0\0\0AVI LIST", file);
  std::fclose(file);

  initIntro(&record_, &keys_);
  ASSERT_EQ(os_->messageBoxes.size(), 1u);
  EXPECT_EQ(os_->messageBoxes[0].text, "Failed To Open The AVI Stream");
  drawIntro();
  EXPECT_TRUE(sameColour(pixelAt(128, 128), black, 0));
  updateIntro(60000);
  EXPECT_EQ(introRunning, 0);
}

// A movie whose frames no decoder can read: the stream opens, the frame
// decoder does not. The player says so, shows black and still ends after
// the stream's frames.
TEST_F(IntroMovieTest, MovieWithoutDecoderIsReportedAndStillEnds) {
  const std::uint32_t unknownCodec = mmioFOURCC('Q', 'Z', 'Q', 'Z');
  ASSERT_TRUE(writeTwoToneMovie(folder_.movieFolderReady(), 32, 32,
                                {{orange, teal}, {orange, teal}}, unknownCodec));

  initIntro(&record_, &keys_);
  ASSERT_EQ(os_->messageBoxes.size(), 1u);
  EXPECT_EQ(os_->messageBoxes[0].text, "Failed To Open The AVI Frame");
  EXPECT_EQ(os_->messageBoxes[0].caption, "Error");
  EXPECT_EQ(os_->messageBoxes[0].style, 0x30u);
  EXPECT_EQ(introMovie.lastFrame, 2);
  drawIntro();
  EXPECT_TRUE(sameColour(pixelAt(128, 128), black, 0));
  updateIntro(71);
  EXPECT_EQ(introRunning, 1);
  updateIntro(1);
  EXPECT_EQ(introRunning, 0);
}
