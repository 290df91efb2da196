#include "tests/win32/intro/movie_fixture.h"

#include <windows.h>
#include <vfw.h>

#include <cstring>

#include "intro/intro_player.h"
#include "render/gl_api.h"

namespace {
int dibRowBytes(int width) { return (width * 3 + 3) & ~3; }

std::vector<std::uint8_t> framePixels(int width, int height, const TwoToneFrame& frame) {
  std::vector<std::uint8_t> pixels(static_cast<size_t>(dibRowBytes(width) * height));
  for (int row = 0; row < height; ++row) {
    // Bottom-up rows: the first half of the rows is the lower half.
    Rgb colour = row < height / 2 ? frame.bottom : frame.top;
    std::uint8_t* out = pixels.data() + row * dibRowBytes(width);
    for (int x = 0; x < width; ++x) {
      out[3 * x] = colour.blue;
      out[3 * x + 1] = colour.green;
      out[3 * x + 2] = colour.red;
    }
  }
  return pixels;
}

void removeTree(const std::string& path) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = path + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(full);
      } else {
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

HWND requestWindow() {
  static HWND window = CreateWindowExA(0, "STATIC", "intro requests", WS_POPUP, 0, 0, 16, 16,
                                       nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  return window;
}
}  // namespace

bool writeTwoToneMovie(const std::string& path, int width, int height,
                       const std::vector<TwoToneFrame>& frames, std::uint32_t compression) {
  AVIFileInit();
  PAVIFILE file = nullptr;
  bool ok = AVIFileOpenA(&file, path.c_str(), OF_CREATE | OF_WRITE, nullptr) == 0;
  PAVISTREAM stream = nullptr;
  if (ok) {
    AVISTREAMINFOA info{};
    info.fccType = streamtypeVIDEO;
    info.fccHandler = compression == BI_RGB ? mmioFOURCC('D', 'I', 'B', ' ') : compression;
    info.dwScale = 1;
    info.dwRate = 25;
    info.dwSuggestedBufferSize = static_cast<DWORD>(dibRowBytes(width) * height);
    SetRect(&info.rcFrame, 0, 0, width, height);
    ok = AVIFileCreateStreamA(file, &stream, &info) == 0;
  }
  if (ok) {
    BITMAPINFOHEADER format{};
    format.biSize = sizeof(format);
    format.biWidth = width;
    format.biHeight = height;
    format.biPlanes = 1;
    format.biBitCount = 24;
    format.biCompression = compression;
    format.biSizeImage = static_cast<DWORD>(dibRowBytes(width) * height);
    ok = AVIStreamSetFormat(stream, 0, &format, sizeof(format)) == 0;
  }
  for (size_t i = 0; ok && i < frames.size(); ++i) {
    std::vector<std::uint8_t> pixels = framePixels(width, height, frames[i]);
    ok = AVIStreamWrite(stream, static_cast<LONG>(i), 1, pixels.data(),
                        static_cast<LONG>(pixels.size()), AVIIF_KEYFRAME, nullptr,
                        nullptr) == 0;
  }
  if (stream != nullptr) AVIStreamRelease(stream);
  if (file != nullptr) AVIFileRelease(file);
  AVIFileExit();
  return ok;
}

ScratchFolder::ScratchFolder() {
  char buffer[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, buffer);
  previous_ = buffer;
  GetTempPathA(MAX_PATH, buffer);
  // Process ids repeat between Wine sessions, so a name is tried until it
  // is new.
  static unsigned counter = GetTickCount();
  do {
    path_ = std::string(buffer) + "brakmoor_intro_" + std::to_string(GetCurrentProcessId()) +
            "_" + std::to_string(++counter);
  } while (!CreateDirectoryA(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
  SetCurrentDirectoryA(path_.c_str());
}

ScratchFolder::~ScratchFolder() {
  SetCurrentDirectoryA(previous_.c_str());
  removeTree(path_);
}

std::string ScratchFolder::movieFolderReady() {
  CreateDirectoryA("data", nullptr);
  CreateDirectoryA("data\\avi", nullptr);
  return "data/avi/intro.avi";
}

IntroFixtureBase::IntroFixtureBase() {
  closeIntroMovie();
  HDC keptMemoryDc = introMovie.memoryDC;
  introMovie = IntroMovie{};
  introMovie.memoryDC = keptMemoryDc;
  record_.keys = &keys_;
  record_.window = requestWindow();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 1.0, 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  introRunning = 1;
}

IntroFixtureBase::~IntroFixtureBase() {
  closeIntroMovie();
  messagesPostedToWindow(fullscreenToggleMessage);
}

Rgb IntroFixtureBase::pixelAt(int x, int yFromTop) {
  std::vector<std::uint8_t> pixels = gl_.readPixels();
  int row = gl_.height() - 1 - yFromTop;
  const std::uint8_t* p = pixels.data() + 4 * (row * gl_.width() + x);
  return Rgb{p[0], p[1], p[2]};
}

int IntroFixtureBase::messagesPostedToWindow(unsigned message) {
  int count = 0;
  MSG posted;
  while (PeekMessageA(&posted, record_.window, message, message, PM_REMOVE)) ++count;
  return count;
}
