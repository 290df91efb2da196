#pragma once
// The records the game state is made of: where the player stands and looks,
// health and weapons, the switches the keys flip, the last shot and the
// frame-rate measurement. game/game.h gathers them into one record.

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

// The drawing switches as the current OpenGL context has them: a switch
// reaches OpenGL when the next frame starts, as a change from this record.
// A fresh context starts from the defaults.
struct AppliedDrawingSwitches {
  bool blendMode = false;
  bool lineMode = false;
  bool textureEnvBlend = false;
};

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

// The number of enemies: slots of the enemy table and of the shot record.
constexpr int MAX_ENEMIES = 5;

// What the last shot found along its line.
struct ShotState {
  // Unit direction of the last shot in the horizontal plane.
  float shotDirX = 0.0f;
  float shotDirZ = 0.0f;
  // Per enemy: the sample (0 to 15) at which the shot passed within the hit
  // radius, -1 if it did not.
  std::int32_t hitStep[MAX_ENEMIES] = {-1, -1, -1, -1, -1};
  bool hitFlag[MAX_ENEMIES] = {};
  // Sample of the first solid cell on the shot line, 0 if none.
  std::int32_t wallStep = 0;
};

// The frame-rate display's measurement.
struct FrameRateState {
  std::int32_t fpsFrameCounter = 0;
  double fpsLastTime = 0.0;  // frame-clock seconds
  double fpsValue = 0.0;     // frames per second
};

