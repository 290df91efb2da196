#pragma once
// The intro movie file: its video stream, the frame decoder, and the
// 256 x 256 bitmap every frame is scaled into.

#include <windows.h>
#include <vfw.h>

#include <cstdint>

#include "platform/platform.h"

struct MovieFile {
  HDC memoryDC = nullptr;  // made once, kept for the whole process
  HDRAWDIB drawDib = nullptr;
  PAVISTREAM stream = nullptr;
  AVISTREAMINFOA streamInfo = {};
  PGETFRAME frameGrab = nullptr;
  std::int32_t movieWidth = 0;
  std::int32_t movieHeight = 0;
  BITMAPINFOHEADER frameHeader = {};
  HBITMAP dibSection = nullptr;
  HGDIOBJ replacedBitmap = nullptr;   // memoryDC's bitmap before the DIB section
  std::uint8_t* frameBits = nullptr;  // movieFrameBytes, bottom row first, blue-green-red
  // AVIFileInit was called and AVIFileExit is still owed.
  bool aviLibraryOpen = false;
};

// Opens the first video stream of `fileName` and prepares the frame bitmap.
// The number of frames, or -1 when the stream cannot be opened. Failures are
// shown in message boxes.
std::int32_t openMovieFile(MovieFile& movie, const char* fileName);
// Decodes frame `frameIndex`, scales it into the frame bitmap and copies it
// into `rgb` as red, green, blue; false (and `rgb` untouched) without a
// decoded frame.
bool decodeMovieFrame(MovieFile& movie, std::int32_t frameIndex, std::uint8_t* rgb);
// Releases the stream, the decoder and the bitmap; safe to call again.
void closeMovieFile(MovieFile& movie);
