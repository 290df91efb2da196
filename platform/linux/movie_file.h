#pragma once
// The intro movie file of the Linux program: its video stream and decoder,
// with every frame scaled into movieTextureSide x movieTextureSide RGB.

#include <cstdint>

#include "platform/platform.h"

struct MovieFile {
  bool open = false;
};

// The number of frames, or -1 when the file cannot be opened (shown in a
// message box, as every failure here).
std::int32_t openMovieFile(MovieFile& movie, const char* fileName);
// Scales frame `frameIndex` into `rgb` (movieFrameBytes, bottom row first);
// false, with `rgb` untouched, when nothing was decoded.
bool decodeMovieFrame(MovieFile& movie, std::int32_t frameIndex, std::uint8_t* rgb);
// Releases the stream and the decoder; safe to call again.
void closeMovieFile(MovieFile& movie);
