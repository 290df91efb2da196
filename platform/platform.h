#pragma once
// Everything a platform supplies to the game, in the game's own words. The
// portable core and the run order reach the operating system only through
// this list; a platform is one class that implements it (the Windows one in
// platform/win32/), and tests install a recording fake
// (tests/support/recording_platform.h). No header here includes <windows.h>.
//
// What a platform supplies:
//   OsServices  sounds with their modes, message boxes, the cursor (mouse
//               look), the clocks and sleep, the random seed;
//   Platform    the above, plus BMP reading, the start dialog's choice, the
//               intro window and its movie frames, the game window with its
//               OpenGL context and full-screen switch, and the keyboard as a
//               256-byte scan-code state.
// One thread calls everything; no call is made from inside another.

#include <cstdint>
#include <string>

#include "platform/bitmap_image.h"

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

// What one pass over a window's message queue found.
enum class WindowEvent {
  none,            // the queue was empty
  handled,         // one message was taken and handled
  closeRequested,  // the player closed the window (title-bar button)
  fullScreenToggleRequested,  // the intro's full-screen request came round
  quit,            // the quit message: the window's loop ends
};

}  // namespace os

// The display mode chosen in the start dialog, read by both windows.
struct WindowSettings {
  std::int32_t width = 1280;
  std::int32_t height = 1024;
  std::int32_t bitsPerPixel = 32;
  std::int32_t fullScreen = 1;
};

// Key-down flags of the intro, indexed by Windows virtual-key code (the only
// ones read are Escape 0x1B and F1 0x70): 1 down, 0 up.
struct KeyDownArray {
  std::int32_t down[256];
};

// The intro movie's frames are scaled into a square of this side, 3 bytes
// per pixel (red, green, blue), bottom row first.
constexpr int movieTextureSide = 256;
constexpr int movieBytesPerPixel = 3;
constexpr int movieFrameBytes = movieTextureSide * movieTextureSide * movieBytesPerPixel;

// The keyboard during the game: one byte per DirectInput scan code
// (game/key_codes.h); a key is down when bit 0x80 is set.
constexpr int keyboardStateSize = 256;

class OsServices {
 public:
  virtual ~OsServices() = default;

  // Plays a sound file; a failure is silent.
  virtual void playSound(const char* fileName, os::SoundMode mode) = 0;

  // A modal message box; returns the button pressed.
  virtual os::Answer messageBox(const char* text, const char* caption, os::BoxStyle style) = 0;

  // The pointer in screen pixels; mouse look reads it and puts it back.
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

  // The seed of the game's random choices, asked once as a game starts:
  // BRAKMOOR_SEED when set (so a run can replay the same enemies), else the
  // calendar time. Every platform shares this answer; a demo records it.
  virtual std::uint32_t randomSeed();
};

class Platform : public OsServices {
 public:
  // The name under which a data file the game names (mixed case, forward
  // slashes, relative to the working folder) is found on this system: the
  // name itself where the file system ignores case; elsewhere the existing
  // file whose path matches it ignoring case, or the name itself when none
  // does (opening it then fails as it would have).
  virtual std::string resolveFileName(const char* name) = 0;

  // BMP files of every depth and compression the platform converts. Null on
  // any failure, which the reader reports itself in a box titled "Error"
  // owned by the focused window (render/dib_messages.h).
  virtual BitmapImage* readBmpFile(const char* fileName) = 0;

  // The start dialog: waits for the player's choice and writes it into
  // `mode`. False when the player cancelled (the program then ends with
  // exit code 0).
  virtual bool chooseDisplayMode(WindowSettings& mode) = 0;

  // The intro window. Registration failure shows "RegisterClassEx Failed!"
  // and gives false. createIntroWindow opens a window of the mode's size with
  // an OpenGL context current; a full-screen mode that cannot be set shows
  // "Mode Switch Failed.\nRunning In Windowed Mode." and clears
  // mode.fullScreen. The window writes its key-down flags into `keys`, which
  // it zeroes first. False when the window or its context cannot be made
  // (what was made is released, nothing is shown).
  virtual bool registerIntroWindowClass() = 0;
  virtual void unregisterIntroWindowClass() = 0;
  virtual bool createIntroWindow(const char* title, WindowSettings& mode, KeyDownArray& keys) = 0;
  // Releases what exists of the window and restores the desktop mode after
  // full screen; safe to call again.
  virtual void destroyIntroWindow() = 0;
  // Takes and handles at most one message of the intro window.
  virtual os::WindowEvent pumpIntroMessage() = 0;
  // Shown and not minimized.
  virtual bool introWindowVisible() = 0;
  // Sleeps until a message arrives (while the window is minimized).
  virtual void waitForIntroMessage() = 0;
  virtual void swapIntroBuffers() = 0;
  // Ends the intro window's loop at its next message pass (WM_QUIT).
  virtual void postIntroQuit() = 0;
  // Asks for the full-screen switch; it comes back from pumpIntroMessage as
  // fullScreenToggleRequested.
  virtual void postIntroFullScreenToggle() = 0;

  // The intro movie. openMovie gives the number of frames, or -1 when the
  // file cannot be opened ("Failed To Open The AVI Stream" is shown); a
  // movie that opens without a decoder shows "Failed To Open The AVI Frame"
  // and decodes nothing. decodeMovieFrame scales frame `index` into `rgb`
  // (movieFrameBytes); false when nothing was decoded (the buffer is left as
  // it was). closeMovie is safe to call again.
  virtual std::int32_t openMovie(const char* fileName) = 0;
  virtual bool decodeMovieFrame(std::int32_t index, std::uint8_t* rgb) = 0;
  virtual void closeMovie() = 0;

  // The game window with its OpenGL context current, the scene's viewport
  // and projection set for its size. Every failure is shown (title "ERROR",
  // or the full-screen question "GL" first) and gives false, with what was
  // made released. A window resized later keeps its projection in step.
  virtual bool createGameWindow(const char* title, const WindowSettings& mode) = 0;
  // Releases what exists (context, window, display mode, hidden cursor);
  // release failures are shown with the title "SHUTDOWN ERROR". Safe to call
  // again.
  virtual void destroyGameWindow() = 0;
  virtual os::WindowEvent pumpGameMessage() = 0;
  // The window is not minimized.
  virtual bool gameWindowActive() = 0;
  virtual void swapGameBuffers() = 0;

  // The keyboard device of the game. initKeyboard is false (and shows
  // nothing) when the device cannot be set up; it may be called again after
  // a full-screen switch. readKeyboard gives keyboardStateSize bytes; a
  // failed read gives the previous state.
  virtual bool initKeyboard() = 0;
  virtual void shutdownKeyboard() = 0;
  virtual const unsigned char* readKeyboard() = 0;
};

// The installed platform. The program entry (or a test fixture) installs one
// before anything else runs; using it before is reported and aborts.
Platform& platform();
OsServices& osServices();
// platform().resolveFileName(name); with no platform installed (host tools
// and loader tests that read files by their real names) the name itself.
std::string resolvedFileName(const char* name);
// Installs `next` and returns the previous one (so tests can restore it).
Platform* installPlatform(Platform* next);
