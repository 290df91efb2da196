#include "platform/win32/movie_file.h"

#include <cstring>

namespace {
void showMovieError(const char* text) {
  osServices().messageBox(text, "Error", {os::Buttons::ok, os::Icon::exclamation});
}

void describeFrameBitmap(BITMAPINFOHEADER& header) {
  std::memset(&header, 0, sizeof(header));
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = movieTextureSide;
  header.biHeight = movieTextureSide;  // positive: bottom row first
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
}

// The 24-bit DIB section every frame is scaled into, selected into the
// memory device context. It starts black, which is what a movie that cannot
// be decoded shows.
void createFrameBitmap(MovieFile& movie) {
  describeFrameBitmap(movie.frameHeader);
  void* bits = nullptr;
  movie.dibSection =
      CreateDIBSection(movie.memoryDC, reinterpret_cast<BITMAPINFO*>(&movie.frameHeader),
                       DIB_RGB_COLORS, &bits, nullptr, 0);
  movie.frameBits = static_cast<std::uint8_t*>(bits);
  if (movie.dibSection == nullptr) {
    movie.frameBits = nullptr;
    return;
  }
  std::memset(movie.frameBits, 0, movieFrameBytes);
  movie.replacedBitmap = SelectObject(movie.memoryDC, movie.dibSection);
}

// Scales the decoded frame into the DIB section; false when nothing was drawn.
bool drawDecodedFrame(MovieFile& movie, std::int32_t frameIndex) {
  if (movie.frameGrab == nullptr) return false;
  auto* header =
      static_cast<BITMAPINFOHEADER*>(AVIStreamGetFrame(movie.frameGrab, frameIndex));
  if (header == nullptr) return false;
  auto* pixels = reinterpret_cast<std::uint8_t*>(header) + header->biSize + 4 * header->biClrUsed;
  BOOL drawn =
      DrawDibDraw(movie.drawDib, movie.memoryDC, 0, 0, movieTextureSide, movieTextureSide,
                  header, pixels, 0, 0, movie.movieWidth, movie.movieHeight, 0);
  // GDI may still hold the drawing in its batch; the pixels are read directly.
  GdiFlush();
  return drawn != FALSE;
}

// The decoder writes blue, green, red; the game's textures are red, green,
// blue.
void copySwappingRedBlue(const std::uint8_t* bgr, std::uint8_t* rgb) {
  for (int offset = 0; offset < movieFrameBytes; offset += movieBytesPerPixel) {
    rgb[offset] = bgr[offset + 2];
    rgb[offset + 1] = bgr[offset + 1];
    rgb[offset + 2] = bgr[offset];
  }
}
}  // namespace

std::int32_t openMovieFile(MovieFile& movie, const char* fileName) {
  movie.drawDib = DrawDibOpen();
  AVIFileInit();
  movie.aviLibraryOpen = true;
  if (AVIStreamOpenFromFileA(&movie.stream, fileName, streamtypeVIDEO, 0, OF_READ, nullptr) != 0) {
    movie.stream = nullptr;
    showMovieError("Failed To Open The AVI Stream");
    createFrameBitmap(movie);
    return -1;
  }
  AVIStreamInfoA(movie.stream, &movie.streamInfo, sizeof(movie.streamInfo));
  const RECT& frame = movie.streamInfo.rcFrame;
  movie.movieWidth = frame.right - frame.left;
  movie.movieHeight = frame.bottom - frame.top;
  std::int32_t frameCount = AVIStreamLength(movie.stream);
  if (frameCount < 0) frameCount = 0;
  createFrameBitmap(movie);
  movie.frameGrab = AVIStreamGetFrameOpen(movie.stream, nullptr);
  if (movie.frameGrab == nullptr) showMovieError("Failed To Open The AVI Frame");
  return frameCount;
}

bool decodeMovieFrame(MovieFile& movie, std::int32_t frameIndex, std::uint8_t* rgb) {
  if (movie.frameBits == nullptr || !drawDecodedFrame(movie, frameIndex)) return false;
  copySwappingRedBlue(movie.frameBits, rgb);
  return true;
}

void closeMovieFile(MovieFile& movie) {
  if (movie.dibSection != nullptr) {
    // A bitmap still selected into a device context cannot be deleted.
    if (movie.replacedBitmap != nullptr) {
      SelectObject(movie.memoryDC, movie.replacedBitmap);
      movie.replacedBitmap = nullptr;
    }
    DeleteObject(movie.dibSection);
    movie.dibSection = nullptr;
    movie.frameBits = nullptr;
  }
  if (movie.drawDib != nullptr) {
    DrawDibClose(movie.drawDib);
    movie.drawDib = nullptr;
  }
  if (movie.frameGrab != nullptr) {
    AVIStreamGetFrameClose(movie.frameGrab);
    movie.frameGrab = nullptr;
  }
  if (movie.stream != nullptr) {
    AVIStreamRelease(movie.stream);
    movie.stream = nullptr;
  }
  if (movie.aviLibraryOpen) {
    AVIFileExit();
    movie.aviLibraryOpen = false;
  }
}
