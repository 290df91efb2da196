// What the AVI library's reader owns (the shared movie cases are in
// tests/linux/platform/movie_file_test.cpp).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/movie_file.h"
#include "tests/support/recording_os.h"

// Closing twice releases once: the stream loses exactly the reader's
// reference and the frame bitmap is really deleted; the memory DC stays for
// the next intro cycle, which opens the movie again.
TEST(MovieFileRelease, CloseTwiceReleasesOnceAndTheMovieOpensAgain) {
  const std::string movieFile = std::string(BRAKMOOR_DATA_DIR) + "/data/avi/intro.avi";
  ScopedRecordingOs os;
  MovieFile movie;
  movie.memoryDC = CreateCompatibleDC(nullptr);
  std::vector<std::uint8_t> frame(movieFrameBytes);
  ASSERT_GT(openMovieFile(movie, movieFile.c_str()), 0);
  PAVISTREAM stream = movie.stream;
  HBITMAP bitmap = movie.dibSection;
  AVIStreamAddRef(stream);
  closeMovieFile(movie);
  closeMovieFile(movie);
  EXPECT_TRUE(movie.stream == nullptr && movie.frameGrab == nullptr && movie.frameBits == nullptr);
  EXPECT_FALSE(movie.aviLibraryOpen);
  EXPECT_FALSE(decodeMovieFrame(movie, 0, frame.data()));
  EXPECT_EQ(GetObjectType(bitmap), 0u) << "the frame bitmap is still alive";
  EXPECT_EQ(AVIStreamRelease(stream), 0) << "the reader released more or less than its reference";
  ASSERT_GT(openMovieFile(movie, movieFile.c_str()), 0);
  EXPECT_TRUE(decodeMovieFrame(movie, 0, frame.data()));
  closeMovieFile(movie);
  DeleteDC(movie.memoryDC);
  EXPECT_TRUE(os->messageBoxes.empty());
}
