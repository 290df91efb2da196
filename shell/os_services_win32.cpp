#include "shell/os_services_win32.h"

#include <windows.h>
#include <mmsystem.h>

unsigned win32SoundFlags(os::SoundMode mode) {
  unsigned flags = SND_FILENAME;
  if (hasFlag(mode, os::SoundMode::async)) flags |= SND_ASYNC;
  if (hasFlag(mode, os::SoundMode::noStop)) flags |= SND_NOSTOP;
  if (hasFlag(mode, os::SoundMode::noWait)) flags |= SND_NOWAIT;
  return flags;
}

unsigned win32BoxStyle(os::BoxStyle style) {
  unsigned bits = style.buttons == os::Buttons::yesNo ? MB_YESNO : MB_OK;
  switch (style.icon) {
    case os::Icon::none:
      break;
    case os::Icon::stop:
      bits |= MB_ICONSTOP;
      break;
    case os::Icon::exclamation:
      bits |= MB_ICONEXCLAMATION;
      break;
    case os::Icon::information:
      bits |= MB_ICONINFORMATION;
      break;
  }
  return bits;
}

os::Answer answerFromWin32(int result) {
  switch (result) {
    case IDOK:
      return os::Answer::ok;
    case IDYES:
      return os::Answer::yes;
    case IDNO:
      return os::Answer::no;
    default:
      return os::Answer::none;
  }
}

namespace {

class Win32OsServices final : public OsServices {
 public:
  void playSound(const char* fileName, os::SoundMode mode) override {
    PlaySoundA(fileName, nullptr, win32SoundFlags(mode));
  }
  os::Answer messageBox(const char* text, const char* caption, os::BoxStyle style) override {
    // The BMP reader's reports belong to the window being typed into, so
    // they stay in front of it.
    HWND owner = style.owner == os::Owner::focusedWindow ? GetFocus() : nullptr;
    return answerFromWin32(MessageBoxA(owner, text, caption, win32BoxStyle(style)));
  }
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
