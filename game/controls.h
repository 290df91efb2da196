#pragma once
// The key table of the input step: held keys act in every pass they are
// down, switch keys once per press. It works on a plain 256-byte key state,
// so it does not care where the state came from.

#include "game/movement.h"

// One latch per switch key: a switch acts when its key goes down while the
// latch is clear. C and H start held, so a C or H already down when the
// game starts acts only after being released and pressed again.
struct SwitchLatches {
  bool blend = false;
  bool fps = false;
  bool collision = true;
  bool debug = false;
  bool crosshair = true;
  bool enemyWalk = false;
  bool lineMode = false;
  bool textureEnv = false;
  bool fullScreen = false;
};

extern SwitchLatches switchLatches;

struct KeyStepResult {
  bool endGame = false;            // Escape was down
  bool switchFullScreen = false;   // F1 went down
};

// Applies every key in table order, each on the state the keys before it
// left. Movement reads the collision state of the frame just drawn; the
// blend, line and texture switches change the OpenGL state at once.
KeyStepResult applyKeyTable(const unsigned char* keyboard,
                            const MovementContext& movement);

// The movement rules' view of the frame just drawn: the collision switch,
// the side flags and the border of the last collided world wall.
MovementContext movementContextOfLastFrame();
