#pragma once
// The game itself: the game window, the keyboard device and the loop of
// message passes and frame passes. The loop is portable and talks to the
// window system through GamePlatform; its Win32 entry is runGame
// (shell/run_game_win32.h).

#include <cstdint>

struct Game;
struct SceneResources;
struct World;

// What one pass of the loop needs from the window system.
class GamePlatform {
 public:
  enum class MessagePass { none, handled, quit };

  virtual ~GamePlatform() = default;
  // Creates the game window (which sets up the scene); nonzero on success.
  virtual int createWindow(const char* title, bool fullScreen) = 0;
  virtual void killWindow() = 0;
  virtual int initKeyboard() = 0;
  virtual void shutdownKeyboard() = 0;
  // Takes and handles at most one pending window message.
  virtual MessagePass pumpOneMessage() = 0;
  virtual bool windowActive() = 0;
  virtual void swapBuffers() = 0;
  // Reads the keyboard device; the 256 bytes are indexed by scan code.
  virtual const unsigned char* readKeyboard() = 0;
};

using FrameFunction = std::int32_t (*)(Game&, World&, SceneResources&);

// The game from window creation to its end: 0 when the window or the
// keyboard cannot be started (also at a full-screen switch), -1 after a
// normal end (Escape, death, quit message).
int runGameLoop(Game& state, World& world, SceneResources& scene, GamePlatform& platform,
                int width, int height, bool fullScreen, FrameFunction frame);
