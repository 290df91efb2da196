#pragma once
// What the intro tests share: a scratch working folder (the player reads
// "data/avi/intro.avi" relative to it), movies written through the system's
// own AVI library, and a GL context set up like the intro window's.

#include <cstdint>
#include <string>
#include <vector>

#include "intro/intro_movie.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"

struct Rgb {
  std::uint8_t red, green, blue;
};

// A movie frame: the upper half in one colour, the lower half in another,
// so a test sees both the colours and which way up the picture lands.
struct TwoToneFrame {
  Rgb top;
  Rgb bottom;
};

// Writes a 24-bit AVI of `frames` (width x height each) with the AVI file
// library, uncompressed unless `compression` names a codec (the pixels stay
// raw, so an unknown codec makes a movie no decoder can play). Returns false
// when the library refused.
bool writeTwoToneMovie(const std::string& path, int width, int height,
                       const std::vector<TwoToneFrame>& frames,
                       std::uint32_t compression = BI_RGB);

// Makes a fresh folder, makes it the working folder for the object's
// lifetime, then goes back and removes what the test wrote.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  // Creates data/avi below the folder; returns the movie's relative path.
  std::string movieFolderReady();

 private:
  std::string path_;
  std::string previous_;
};

// The intro's view: a 256 x 256 context with the intro window's projection
// (45 degrees, near 1, far 100), a recording OS, a hidden window to receive
// the intro's requests, and a clean movie state. Closes the movie at the end.
class IntroFixtureBase {
 protected:
  IntroFixtureBase();
  ~IntroFixtureBase();
  // RGB of the pixel at (x, y) of the colour buffer, y counted from the top.
  Rgb pixelAt(int x, int yFromTop);
  int messagesPostedToWindow(unsigned message);

  ScopedRecordingOs os_;
  TestGlContext gl_;
  IntroWindow record_{};
  KeyDownArray keys_{};
};

inline bool sameColour(Rgb a, Rgb b, int tolerance = 8) {
  auto within = [tolerance](int x, int y) { return x - y <= tolerance && y - x <= tolerance; };
  return within(a.red, b.red) && within(a.green, b.green) && within(a.blue, b.blue);
}
