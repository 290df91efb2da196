#pragma once
// The few operating-system services that portable code needs: sound, cursor,
// clocks, sleep and message boxes. The game installs the Win32 implementation
// at start-up; tests install a recording fake (tests/support/recording_os.h).
// Portable code never includes <windows.h>; it calls these instead.

#include <cstdint>

// Values match the Win32 constants, so the Win32 implementation passes them
// through unchanged.
namespace os {
constexpr unsigned soundSync = 0x0000;
constexpr unsigned soundAsync = 0x0001;
constexpr unsigned soundNoStop = 0x0010;
constexpr unsigned soundNoWait = 0x2000;
constexpr unsigned soundFileName = 0x20000;

constexpr unsigned boxOk = 0x0;
constexpr unsigned boxYesNo = 0x4;
constexpr unsigned boxIconStop = 0x10;
constexpr unsigned boxIconExclamation = 0x30;
constexpr unsigned boxIconWarning = 0x30;
constexpr unsigned boxIconInformation = 0x40;

constexpr int answerOk = 1;
constexpr int answerYes = 6;
constexpr int answerNo = 7;

struct CursorPosition {
  int x;
  int y;
};
}  // namespace os

class OsServices {
 public:
  virtual ~OsServices() = default;

  // PlaySoundA with a file name and SND_* flags; a failure is silent.
  virtual void playSound(const char* fileName, unsigned flags) = 0;

  // MessageBoxA. `owner` is an opaque window handle (null for none); the
  // result is the button pressed (os::answerOk, os::answerYes, ...).
  virtual int messageBox(void* owner, const char* text, const char* caption,
                         unsigned style) = 0;
  // The window that has the keyboard focus, as an opaque handle (may be null).
  virtual void* focusWindow() = 0;

  virtual os::CursorPosition cursorPosition() = 0;
  virtual void setCursorPosition(int x, int y) = 0;

  virtual void sleepMilliseconds(unsigned milliseconds) = 0;
  // GetTickCount and timeGetTime: 32-bit millisecond counters that wrap.
  virtual std::uint32_t tickCount() = 0;
  virtual std::uint32_t multimediaTime() = 0;
  // QueryPerformanceFrequency / QueryPerformanceCounter; false when the
  // system has no high-resolution counter.
  virtual bool performanceFrequency(std::int64_t* countsPerSecond) = 0;
  virtual std::int64_t performanceCounter() = 0;
};

// The installed implementation. Never null once the program entry (or a
// test fixture) has installed one.
OsServices& osServices();
// Installs `services` and returns the previous one (so tests can restore it).
OsServices* installOsServices(OsServices* services);
