#pragma once
// The game itself: the game window, the keyboard device and the loop of
// message passes and frame passes. The loop talks to the window system
// through the platform seam and to the scene through GameScene, so the same
// loop runs the real game and the tests' scripted frames.

#include <cstdint>

#include "platform/platform.h"

struct Game;

// What the loop runs in the windows it makes.
class GameScene {
 public:
  virtual ~GameScene() = default;
  // Prepares a freshly made window's context for play; 0 when it cannot.
  virtual std::int32_t setUp(Game& state) = 0;
  // Draws and updates one frame; 0 ends the game.
  virtual std::int32_t drawFrame(Game& state) = 0;
};

// The game from window creation to its end: 0 when the window, its scene or
// the keyboard cannot be started (also at a full-screen switch), -1 after a
// normal end (Escape, death, quit message).
int runGameLoop(Game& state, Platform& platform, const WindowSettings& settings,
                GameScene& scene);
