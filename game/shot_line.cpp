#include "game/shot_line.h"

#include <cmath>

namespace {

// Cell index of one coordinate, truncated toward zero; -1 when the value lies
// outside the array (the comparison also rejects NaN).
std::int32_t shotCellIndex(double value) {
  if (!(value > -1.0 && value < static_cast<double>(levelGridSide))) return -1;
  return static_cast<std::int32_t>(value);
}

}  // namespace

ShotDirection shotDirectionOfHeading(float heading) {
  const float a = (heading * 0.0027777778f + heading * 0.0027777778f) * 3.141592f;
  return {-std::sin(a), -std::cos(a)};
}

bool shotCellSolid(const LevelData& level, float px, float pz) {
  const std::int32_t column = shotCellIndex(px * 0.5 + 1.0);
  const std::int32_t row = shotCellIndex(pz * (-0.5) + 1.0);
  if (column < 0 || row < 0) return true;
  return level.levelGrid[levelGridSide * column + row] == 0;
}

ShotSample shotSample(std::int32_t s, float cameraX, float cameraZ, ShotDirection dir) {
  return {static_cast<float>(s) * dir.x - cameraX, static_cast<float>(s) * dir.z - cameraZ};
}

std::int32_t shotWallStep(const LevelData& level, float cameraX, float cameraZ, ShotDirection dir) {
  for (std::int32_t s = 0; s < shotSampleCount; ++s) {
    const ShotSample p = shotSample(s, cameraX, cameraZ, dir);
    if (shotCellSolid(level, p.x, p.z)) return s;
  }
  return 0;
}
