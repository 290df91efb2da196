#pragma once
// The few operating-system services that portable code needs: sound, cursor,
// clocks, sleep and message boxes. The game installs the Win32 implementation
// at start-up (shell/os_services_win32.h); tests install a recording fake
// (tests/support/recording_os.h). Portable code never includes <windows.h>;
// it calls these instead, in its own words, and the Win32 implementation
// translates them.

#include <cstdint>

namespace os {

// How playSound plays its file. Flags combine with |; without `async` the
// call returns only when the sound has ended.
enum class SoundMode : std::uint8_t {
  wait = 0,
  async = 1 << 0,   // return at once, the sound plays on
  noStop = 1 << 1,  // a sound already playing is not cut off: this one is dropped
  noWait = 1 << 2,  // a busy sound device drops this one at once
};
constexpr SoundMode operator|(SoundMode a, SoundMode b) {
  return static_cast<SoundMode>(static_cast<std::uint8_t>(a) | static_cast<std::uint8_t>(b));
}
constexpr bool hasFlag(SoundMode mode, SoundMode flag) {
  return (static_cast<std::uint8_t>(mode) & static_cast<std::uint8_t>(flag)) != 0;
}

enum class Buttons { ok, yesNo };
enum class Icon { none, stop, exclamation, information };
// Which window a message box belongs to: none, or the window the player is
// typing into (the BMP reader's reports).
enum class Owner { none, focusedWindow };

struct BoxStyle {
  Buttons buttons = Buttons::ok;
  Icon icon = Icon::none;
  Owner owner = Owner::none;
};
constexpr bool operator==(const BoxStyle& a, const BoxStyle& b) {
  return a.buttons == b.buttons && a.icon == b.icon && a.owner == b.owner;
}
constexpr bool operator!=(const BoxStyle& a, const BoxStyle& b) { return !(a == b); }

// The button that closed a message box; `none` when the box could not be
// shown.
enum class Answer { none, ok, yes, no };

struct CursorPosition {
  int x;
  int y;
};
}  // namespace os

class OsServices {
 public:
  virtual ~OsServices() = default;

  // Plays a sound file; a failure is silent.
  virtual void playSound(const char* fileName, os::SoundMode mode) = 0;

  // A modal message box; returns the button pressed.
  virtual os::Answer messageBox(const char* text, const char* caption, os::BoxStyle style) = 0;

  virtual os::CursorPosition cursorPosition() = 0;
  virtual void setCursorPosition(int x, int y) = 0;

  virtual void sleepMilliseconds(unsigned milliseconds) = 0;
  // Milliseconds since the system started and the multimedia millisecond
  // clock: 32-bit counters that wrap.
  virtual std::uint32_t tickCount() = 0;
  virtual std::uint32_t multimediaTime() = 0;
  // The high-resolution counter's rate and reading; false when the system
  // has no such counter.
  virtual bool performanceFrequency(std::int64_t* countsPerSecond) = 0;
  virtual std::int64_t performanceCounter() = 0;
};

// The installed implementation. Never null once the program entry (or a
// test fixture) has installed one.
OsServices& osServices();
// Installs `services` and returns the previous one (so tests can restore it).
OsServices* installOsServices(OsServices* services);
