#pragma once
// The thin layer between the game and the model subsystem: loading the enemy
// figure with its fixed start settings, finding a random open cell, the yaw
// that turns a figure toward the player, and drawing a figure at its place,
// animated by the wall clock.

#include <cstdint>
#include <string>

#include "game/game_random.h"
#include "model/model_instance.h"

struct LevelData;

// Where the next figure is drawn. The game writes x, z and yaw before each
// figure; height, tilt and scale stay as they start.
struct EnemyDrawTransform {
  float x = 7.0f;
  float y = 0.4f;
  float z = -9.0f;
  float pitch = -90.0f;  // degrees: the figure's files stand it on its back
  float scale = 0.01f;
  float yaw = 0.0f;  // degrees
};

// What the figure layer keeps between calls.
struct EnemyFigureState {
  EnemyDrawTransform drawTransform;
  // Wall-clock seconds of the last figure drawn; one value for all figures,
  // so the first figure of a frame gets the time since the last frame.
  float lastAnimationTime = 0.0f;
  // The cell last chosen by pickRandomOpenCell.
  std::int32_t randomCellX = 0;
  std::int32_t randomCellY = 0;
};

// Loads the files, selects sequence 0, zeroes the controllers and leaves a
// 50-degree square projection and an identity model-view matrix. Returns
// ModelInstance::loadModel's text: empty on success, else why the files
// could not be loaded (then nothing else is done).
std::string initModelInstance(const char* fileName, ModelInstance& instance);
// As initModelInstance, then texturing on and the game's 47-degree
// projection of aspect 1.26 (near 0.1, far 100), model-view identity.
std::string loadEnemyModel(const char* fileName, ModelInstance& instance);

// Draws columns 1..sizeX, then rows 1..sizeY, at random until the cell is
// open, and stores it in randomCellX/Y. False (and nothing stored) when the
// range holds no open cell, so a broken level cannot hang the game.
bool pickRandomOpenCell(const LevelData& level, EnemyFigureState& state, GameRandom& random);

// Degrees about y that turn a figure at (posX, posZ) toward the eye, given
// the camera translation (the negated eye position). A figure standing
// exactly at the eye keeps yaw 0.
float enemyFacingAngle(float cameraX, float cameraZ, float posX, float posZ);

// Advances the figure by the wall-clock time since the last figure drawn
// (steps above 0.1 s count as 0.1 s) and draws it with the current matrix.
void animateAndDrawModel(ModelInstance& instance, EnemyFigureState& state);
// The same advance without drawing, for a figure that cannot be seen.
void animateByWallClock(ModelInstance& instance, EnemyFigureState& state);
// Draws the figure placed by the draw transform, leaving the matrix as it was.
void drawEnemyModel(ModelInstance& instance, EnemyFigureState& state);

// The room a figure at the draw transform's place may take up, in any pose
// (standing, running with its rifle, lying): a box in world units around
// the place, `reach` model units (model/model_reach.h) scaled.
void enemyFigureBounds(const EnemyDrawTransform& place, float reach, float low[3], float high[3]);
// Restarts the figure in sequence n; the result is the sequence chosen.
int setModelSequence(ModelInstance& instance, int n);
