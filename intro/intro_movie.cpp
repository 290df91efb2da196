#include "intro/intro_movie.h"

#include <cstring>

#include "platform/os_services.h"
#include "render/gl_api.h"

IntroMovie introMovie{};

namespace {
// The memory device context exists before the program entry runs and lives
// as long as the process, so every intro cycle draws into the same one.
struct MemoryDcAtStartUp {
  MemoryDcAtStartUp() { introMovie.memoryDC = CreateCompatibleDC(nullptr); }
};
MemoryDcAtStartUp memoryDcAtStartUp;

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
void createFrameBitmap() {
  describeFrameBitmap(introMovie.frameHeader);
  void* bits = nullptr;
  introMovie.dibSection =
      CreateDIBSection(introMovie.memoryDC, reinterpret_cast<BITMAPINFO*>(&introMovie.frameHeader),
                       DIB_RGB_COLORS, &bits, nullptr, 0);
  introMovie.frameBits = static_cast<std::uint8_t*>(bits);
  if (introMovie.dibSection == nullptr) {
    introMovie.frameBits = nullptr;
    return;
  }
  std::memset(introMovie.frameBits, 0, movieFrameBytes);
  introMovie.replacedBitmap = SelectObject(introMovie.memoryDC, introMovie.dibSection);
}

// Scales the decoded frame into the DIB section; false when nothing was drawn.
bool drawDecodedFrame(std::int32_t frameIndex) {
  if (introMovie.frameGrab == nullptr) return false;
  auto* header =
      static_cast<BITMAPINFOHEADER*>(AVIStreamGetFrame(introMovie.frameGrab, frameIndex));
  if (header == nullptr) return false;
  auto* pixels = reinterpret_cast<std::uint8_t*>(header) + header->biSize + 4 * header->biClrUsed;
  BOOL drawn =
      DrawDibDraw(introMovie.drawDib, introMovie.memoryDC, 0, 0, movieTextureSide, movieTextureSide,
                  header, pixels, 0, 0, introMovie.movieWidth, introMovie.movieHeight, 0);
  // GDI may still hold the drawing in its batch; the pixels are read directly.
  GdiFlush();
  return drawn != FALSE;
}
}  // namespace

void openIntroMovie(const char* fileName) {
  AVIFileInit();
  introMovie.aviLibraryOpen = true;
  introMovie.msPerFrame = movieMillisecondsPerFrame;
  if (AVIStreamOpenFromFileA(&introMovie.stream, fileName, streamtypeVIDEO, 0, OF_READ, nullptr) !=
      0) {
    introMovie.stream = nullptr;
    showMovieError("Failed To Open The AVI Stream");
    // Nothing to decode: a black picture for a moment, then the game.
    introMovie.lastFrame = missingMovieFrames;
    createFrameBitmap();
    return;
  }
  AVIStreamInfoA(introMovie.stream, &introMovie.streamInfo, sizeof(introMovie.streamInfo));
  const RECT& frame = introMovie.streamInfo.rcFrame;
  introMovie.movieWidth = frame.right - frame.left;
  introMovie.movieHeight = frame.bottom - frame.top;
  introMovie.lastFrame = AVIStreamLength(introMovie.stream);
  if (introMovie.lastFrame < 0) introMovie.lastFrame = 0;
  createFrameBitmap();
  introMovie.frameGrab = AVIStreamGetFrameOpen(introMovie.stream, nullptr);
  if (introMovie.frameGrab == nullptr) showMovieError("Failed To Open The AVI Frame");
}

void swapRedBlue(std::uint8_t* buffer) {
  for (int offset = 0; offset < movieFrameBytes; offset += movieBytesPerPixel) {
    std::uint8_t first = buffer[offset];
    buffer[offset] = buffer[offset + 2];
    buffer[offset + 2] = first;
  }
}

void grabMovieFrame(std::int32_t frameIndex) {
  if (introMovie.frameBits == nullptr) return;
  // Only freshly decoded pixels are in blue, green, red order; swapping the
  // previous frame again would turn it back.
  if (drawDecodedFrame(frameIndex)) swapRedBlue(introMovie.frameBits);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, movieTextureSide, movieTextureSide, GL_RGB,
                  GL_UNSIGNED_BYTE, introMovie.frameBits);
}

void closeIntroMovie() {
  if (introMovie.dibSection != nullptr) {
    // A bitmap still selected into a device context cannot be deleted.
    if (introMovie.replacedBitmap != nullptr) {
      SelectObject(introMovie.memoryDC, introMovie.replacedBitmap);
      introMovie.replacedBitmap = nullptr;
    }
    DeleteObject(introMovie.dibSection);
    introMovie.dibSection = nullptr;
    introMovie.frameBits = nullptr;
  }
  if (introMovie.drawDib != nullptr) {
    DrawDibClose(introMovie.drawDib);
    introMovie.drawDib = nullptr;
  }
  if (introMovie.frameGrab != nullptr) {
    AVIStreamGetFrameClose(introMovie.frameGrab);
    introMovie.frameGrab = nullptr;
  }
  if (introMovie.stream != nullptr) {
    AVIStreamRelease(introMovie.stream);
    introMovie.stream = nullptr;
  }
  if (introMovie.aviLibraryOpen) {
    AVIFileExit();
    introMovie.aviLibraryOpen = false;
  }
}
