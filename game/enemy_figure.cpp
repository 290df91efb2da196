#include "game/enemy_figure.h"

#include <cmath>

#include "render/gl_api.h"
#include "render/scene_projection.h"
#include "platform/platform.h"
#include "world/level.h"

namespace {

bool cellOpen(const LevelData& level, std::int32_t x, std::int32_t y) {
  return level.levelGrid[levelGridSide * x + y] != 0;
}

// The random draws stay exactly those of the plain search; the count of open
// cells only decides whether the search can end at all. A generator whose
// pairs of draws never reach a rare open cell is cut off after this many
// tries, and the cell is then picked among the open ones.
constexpr int maximumDraws = 1 << 22;

std::int32_t countOpenCells(const LevelData& level, std::int32_t columns, std::int32_t rows) {
  std::int32_t open = 0;
  for (std::int32_t x = 1; x <= columns; ++x) {
    for (std::int32_t y = 1; y <= rows; ++y) open += cellOpen(level, x, y) ? 1 : 0;
  }
  return open;
}

void takeNthOpenCell(const LevelData& level, std::int32_t columns, std::int32_t rows,
                     std::int32_t n, EnemyFigureState& state) {
  for (std::int32_t x = 1; x <= columns; ++x) {
    for (std::int32_t y = 1; y <= rows; ++y) {
      if (cellOpen(level, x, y) && n-- == 0) {
        state.randomCellX = x;
        state.randomCellY = y;
        return;
      }
    }
  }
}

}  // namespace

std::string initModelInstance(const char* fileName, ModelInstance& instance) {
  std::string failure = instance.loadModel(fileName);
  if (!failure.empty()) return failure;
  instance.setSequence(0);
  for (int slot = 0; slot < 4; ++slot) instance.setController(slot, 0.0f);
  instance.setAuxController(0.0f);
  setPerspective(figureSetUpFieldOfView, figureSetUpAspect);
  return failure;
}

std::string loadEnemyModel(const char* fileName, ModelInstance& instance) {
  std::string failure = initModelInstance(fileName, instance);
  if (!failure.empty()) return failure;
  glEnable(GL_TEXTURE_2D);
  setGameDrawingProjection();
  return failure;
}

bool pickRandomOpenCell(const LevelData& level, EnemyFigureState& state, GameRandom& random) {
  const std::int32_t columns = walkableSize(level.sizeX);
  const std::int32_t rows = walkableSize(level.sizeY);
  if (columns <= 0 || rows <= 0) return false;
  const std::int32_t open = countOpenCells(level, columns, rows);
  if (open == 0) return false;
  for (int draw = 0; draw < maximumDraws; ++draw) {
    const std::int32_t x = nextRandom(random) % level.sizeX + 1;
    const std::int32_t y = nextRandom(random) % level.sizeY + 1;
    if (x <= columns && y <= rows && cellOpen(level, x, y)) {
      state.randomCellX = x;
      state.randomCellY = y;
      return true;
    }
  }
  takeNthOpenCell(level, columns, rows, nextRandom(random) % open, state);
  return true;
}

float enemyFacingAngle(float cameraX, float cameraZ, float posX, float posZ) {
  const float dx = cameraX + posX;
  const float dz = -posZ - cameraZ;
  const float length = std::sqrt(dz * dz + dx * dx);
  // At the eye there is no direction to face.
  if (!(length > 0.0f)) return 0.0f;
  float c = -dx / length;
  // Rounding can carry the cosine a hair past 1, where acos has no answer.
  if (c > 1.0f) c = 1.0f;
  if (c < -1.0f) c = -1.0f;
  const float a = static_cast<float>(std::acos(c) * 360.0 * 0.15915497620314795);
  return dz > 0.0f ? -a : a;
}

void animateByWallClock(ModelInstance& instance, EnemyFigureState& state) {
  const float now = static_cast<float>(osServices().tickCount() * 0.001);
  instance.advanceAnimation(now - state.lastAnimationTime);
  state.lastAnimationTime = now;
}

void animateAndDrawModel(ModelInstance& instance, EnemyFigureState& state) {
  animateByWallClock(instance, state);
  instance.drawModel();
}

void enemyFigureBounds(const EnemyDrawTransform& place, float reach, float low[3], float high[3]) {
  const float room = reach * place.scale;
  low[0] = place.x - room;
  low[1] = place.y - room;
  low[2] = place.z - room;
  high[0] = place.x + room;
  high[1] = place.y + room;
  high[2] = place.z + room;
}

void drawEnemyModel(ModelInstance& instance, EnemyFigureState& state) {
  const EnemyDrawTransform& place = state.drawTransform;
  glPushMatrix();
  glTranslatef(place.x, place.y, place.z);
  glRotatef(place.yaw, 0.0f, 1.0f, 0.0f);
  glRotatef(place.pitch, 1.0f, 0.0f, 0.0f);
  glScalef(place.scale, place.scale, place.scale);
  animateAndDrawModel(instance, state);
  glPopMatrix();
}

int setModelSequence(ModelInstance& instance, int n) { return instance.setSequence(n); }
