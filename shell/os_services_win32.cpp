#include <windows.h>
#include <mmsystem.h>

#include "shell/os_services_win32.h"

namespace {

class Win32OsServices final : public OsServices {
 public:
  void playSound(const char* fileName, unsigned flags) override {
    PlaySoundA(fileName, nullptr, flags);
  }
  int messageBox(void* owner, const char* text, const char* caption,
                 unsigned style) override {
    return MessageBoxA(static_cast<HWND>(owner), text, caption, style);
  }
  void* focusWindow() override { return GetFocus(); }
  os::CursorPosition cursorPosition() override {
    POINT point{0, 0};
    GetCursorPos(&point);
    return {point.x, point.y};
  }
  void setCursorPosition(int x, int y) override { SetCursorPos(x, y); }
  void sleepMilliseconds(unsigned milliseconds) override { Sleep(milliseconds); }
  std::uint32_t tickCount() override { return GetTickCount(); }
  std::uint32_t multimediaTime() override { return timeGetTime(); }
  bool performanceFrequency(std::int64_t* countsPerSecond) override {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency)) return false;
    *countsPerSecond = frequency.QuadPart;
    return true;
  }
  std::int64_t performanceCounter() override {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
  }
};

}  // namespace

OsServices& win32OsServices() {
  static Win32OsServices services;
  return services;
}
