#include <gtest/gtest.h>

#include "intro/intro_player.h"
#include "tests/win32/intro/movie_fixture.h"

// Frame arithmetic, the end of the movie and the keys, without a movie file:
// the movie state is set as an opened movie of `lastFrame` frames leaves it.
class UpdateIntro : public IntroFixtureBase, public ::testing::Test {
 protected:
  void movieOfFrames(int frames) {
    introMovie.window = &record_;
    introMovie.keys = &keys_;
    introMovie.lastFrame = frames;
  }
};

TEST_F(UpdateIntro, FramesFollowAccumulatedTimeAtThirtySixMilliseconds) {
  movieOfFrames(10);
  updateIntro(35);
  EXPECT_EQ(introMovie.currentFrame, 0);
  updateIntro(1);
  EXPECT_EQ(introMovie.currentFrame, 1);
  updateIntro(71);
  EXPECT_EQ(introMovie.currentFrame, 2);
  EXPECT_EQ(introMovie.elapsed, 107);
  EXPECT_EQ(introRunning, 1);
}

TEST_F(UpdateIntro, EndsAndRewindsWhenTimeReachesTheLastFrame) {
  movieOfFrames(10);
  for (int i = 0; i < 9; ++i) updateIntro(36);
  updateIntro(35);  // 359 ms: still the last frame
  EXPECT_EQ(introMovie.currentFrame, 9);
  EXPECT_EQ(introRunning, 1);

  updateIntro(1);  // 360 ms = 10 x 36
  EXPECT_EQ(introRunning, 0);
  EXPECT_EQ(introMovie.currentFrame, 0);
  EXPECT_EQ(introMovie.elapsed, 0);
}

TEST_F(UpdateIntro, LongStallOrEmptyMovieEndsAtTheFirstUpdate) {
  movieOfFrames(10);
  updateIntro(4000000000u);  // a wrapped or absurd tick difference
  EXPECT_EQ(introRunning, 0);
  EXPECT_EQ(introMovie.currentFrame, 0);

  introRunning = 1;
  movieOfFrames(0);
  updateIntro(0);
  EXPECT_EQ(introRunning, 0);
}

TEST_F(UpdateIntro, EscapeHeldEndsAtOnceAndF1AsksForTheToggleEveryUpdate) {
  movieOfFrames(100);
  keys_.down[VK_ESCAPE] = 1;
  updateIntro(0);
  EXPECT_EQ(introRunning, 0);
  EXPECT_EQ(messagesPostedToWindow(fullscreenToggleMessage), 0);

  keys_.down[VK_ESCAPE] = 0;
  keys_.down[VK_F1] = 1;
  introRunning = 1;
  updateIntro(10);
  updateIntro(10);
  EXPECT_EQ(messagesPostedToWindow(fullscreenToggleMessage), 2);
  EXPECT_EQ(introRunning, 1);

  keys_.down[VK_F1] = 0;
  updateIntro(10);
  EXPECT_EQ(messagesPostedToWindow(fullscreenToggleMessage), 0);
}
