#pragma once
// The game itself: the game window, the keyboard device and the loop of
// message passes and frame passes. The loop talks to the window system
// through the platform seam and to the scene through GameScene, so the same
// loop runs the real game and the tests' scripted frames.

#include <cstdint>

#include "platform/platform.h"

struct Game;
struct World;

// What the loop runs in the windows it makes.
class GameScene {
 public:
  virtual ~GameScene() = default;
  // Prepares a freshly made window's context for play: sceneReady,
  // sceneTexturesMissing or sceneFigureRefused (game/scene.h).
  virtual std::int32_t setUp(Game& state) = 0;
  // Draws and updates one frame; 0 ends the game.
  virtual std::int32_t drawFrame(Game& state) = 0;
  // Each pass of the loop that reached the keyboard ends here, with the
  // state the next frame starts from (a demo compares it).
  virtual void frameEnded(const Game&) {}
};

// What runGameLoop returns.
constexpr int gameEnded = -1;       // Escape, death or the quit message
constexpr int gameNotStarted = 0;   // window, scene or keyboard failed (also at a switch)
// The enemy figure could not be loaded: state.figureLoadFailure says why,
// and the program ends with exit code 1.
constexpr int gameFigureRefused = 1;

// The game from window creation to its end. `world` is the level the keys
// and movement read.
int runGameLoop(Game& state, const World& world, Platform& platform,
                const WindowSettings& settings, GameScene& scene);
