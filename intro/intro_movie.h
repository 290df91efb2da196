#pragma once
// The intro movie: its video stream, the frame decoder, and the 256 x 256
// bitmap every frame is scaled into before it becomes the intro texture.

#include <windows.h>
#include <vfw.h>

#include <cstdint>

#include "intro/intro_player.h"

// The texture is fixed at 256 x 256 whatever the movie's size.
constexpr int movieTextureSide = 256;
constexpr int movieBytesPerPixel = 3;
constexpr int movieFrameBytes = movieTextureSide * movieTextureSide * movieBytesPerPixel;
// The movie runs at this fixed rate; the stream's own rate is not used.
constexpr std::int32_t movieMillisecondsPerFrame = 36;
// A movie that cannot be opened shows black for this many frames (about one
// second) and then ends the intro, so the game still starts.
constexpr std::int32_t missingMovieFrames = 28;

struct IntroMovie {
  const KeyDownArray* keys;
  HDC memoryDC;  // made at start-up, kept for the whole process
  HDRAWDIB drawDib;
  PAVISTREAM stream;
  AVISTREAMINFOA streamInfo;
  PGETFRAME frameGrab;
  std::int32_t movieWidth;
  std::int32_t movieHeight;
  std::int32_t lastFrame;
  std::int32_t msPerFrame = movieMillisecondsPerFrame;
  BITMAPINFOHEADER frameHeader;
  HBITMAP dibSection;
  HGDIOBJ replacedBitmap;   // memoryDC's bitmap before the DIB section
  std::uint8_t* frameBits;  // movieFrameBytes, bottom row first, RGB after the swap
  std::int32_t elapsed;
  std::int32_t currentFrame;
  // AVIFileInit was called and AVIFileExit is still owed.
  bool aviLibraryOpen;
};

// The one movie of the program.
extern IntroMovie introMovie;

// Opens the first video stream of `fileName` and prepares the frame bitmap.
// Failures are shown in message boxes; the player then shows black.
void openIntroMovie(const char* fileName);
// Decodes frame `frameIndex` into the frame bitmap and uploads it into the
// bound texture. Without a decoder the texture keeps what it has.
void grabMovieFrame(std::int32_t frameIndex);
// Exchanges the first and third byte of each of the 65536 pixels of a
// 256 x 256 RGB buffer (the decoder writes blue, green, red).
void swapRedBlue(std::uint8_t* buffer);
