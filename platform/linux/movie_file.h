#pragma once
// The intro movie file on Linux: the first video stream, read and decoded
// with FFmpeg, each frame scaled into the 256 x 256 texture picture.

#include <cstdint>

#include "platform/platform.h"

struct AVFormatContext;
struct AVCodecContext;
struct AVPacket;
struct AVFrame;
struct SwsContext;

struct MovieFile {
  AVFormatContext* container = nullptr;
  AVCodecContext* decoder = nullptr;  // null when the stream has no usable decoder
  SwsContext* scaler = nullptr;
  AVPacket* packet = nullptr;
  AVFrame* frame = nullptr;
  int streamIndex = -1;
  std::int32_t frameCount = 0;
  // Index of the frame the decoder gives next; asking for an earlier one
  // goes back to the start of the stream.
  std::int32_t nextFrame = 0;
  // The scaled frame, top row first (movieFrameBytes).
  std::uint8_t* scaled = nullptr;
};

// Opens the first video stream of `fileName` and its decoder. The number of
// frames, or -1 when the stream cannot be opened ("Failed To Open The AVI
// Stream"); a stream without a usable decoder shows "Failed To Open The AVI
// Frame" and decodes nothing. Boxes: title "Error", exclamation icon.
std::int32_t openMovieFile(MovieFile& movie, const char* fileName);
// Decodes frame `index`, scales it to 256 x 256 and writes it into `rgb`
// (movieFrameBytes, red, green, blue, bottom row first); false, with `rgb`
// untouched, when no frame was decoded.
bool decodeMovieFrame(MovieFile& movie, std::int32_t index, std::uint8_t* rgb);
// Releases what is open; safe to call again.
void closeMovieFile(MovieFile& movie);
