#pragma once
// The game's global state: where the player stands and looks, health and
// weapons, and the switches the keys flip. Every gameplay step reads and
// writes these records directly; nothing resets them between games.

#include <cstdint>

struct PlayerState {
  // Eye displacement from the centre of the start cell, world units.
  float offsetX = 0.0f;
  float offsetZ = 0.0f;
  // Degrees, not wrapped; at 0 the view looks toward negative z.
  float heading = 0.0f;
  // Degrees, kept within -30 to +30 by the mouse look.
  float pitch = 0.0f;
  float bobAngle = 0.0f;
  float bobOffset = 0.0f;
  std::int32_t health = 500;
  std::int32_t shownAmmo = 30;
  std::int32_t rifleAmmo = 30;
  std::int32_t laserAmmo = 20;
  bool rifleSelected = true;
  bool laserSelected = false;
  bool dead = false;
  // Frame-clock milliseconds of the last frame the fire key was handled in.
  double lastFireTime = 0.0;
  // The negated eye position of the current frame, set by the camera step.
  float cameraX = 0.0f;
  float cameraY = 0.0f;
  float cameraZ = 0.0f;
};

struct GameFlags {
  bool collisionEnabled = true;
  bool blendMode = false;
  bool showFps = false;
  bool showCollisionDebug = false;
  bool crosshairVisible = true;
  bool lineMode = false;
  bool textureEnvBlend = false;
  // The fire key was down in the last input step; the spark pass consumes it.
  bool shotTriggered = false;
};

extern PlayerState playerState;
extern GameFlags gameFlags;

// Size of the game window in pixels, as passed to runGame.
extern std::int32_t screenWidth;
extern std::int32_t screenHeight;

// Half of the minimum frame time in milliseconds: the loop waits until
// 2 * frameBudget ms have passed since the frame began.
extern std::int32_t frameBudget;
