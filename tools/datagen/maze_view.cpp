#include "tools/datagen/maze_view.h"

#include <cmath>

#include "tools/datagen/texture_set.h"

namespace {
constexpr float kHalfFieldOfView = 0.66f;  // tangent: about 67 degrees across
constexpr float kFogDensity = 0.16f;

Image texture(const char* name) { return paintTexture(name).value_or(Image(1, 1, {0.5f, 0.5f, 0.5f})); }

// The surfaces repeat twice per cell, as in the game's world.
Colour sample(const Image& picture, float u, float v) {
  auto wrapped = [](float t, int size) {
    float f = t * 2.0f - std::floor(t * 2.0f);
    int i = static_cast<int>(f * size);
    return i >= size ? size - 1 : i;
  };
  return picture.colour(wrapped(u, picture.width()), wrapped(v, picture.height()));
}

float fog(float distance) { return std::exp(-kFogDensity * distance); }

struct WallHit {
  float distance;  // along the view direction
  float along;     // 0 to 1 across the wall face
  bool facesY;     // the face lies along x (a border between y rows)
  int fromValue;   // style of the open cell the ray left
};

WallHit castRay(const MazeGrid& grid, float px, float py, float dx, float dy) {
  int cellX = static_cast<int>(std::floor(px)), cellY = static_cast<int>(std::floor(py));
  float stepX = std::fabs(dx) < 1e-6f ? 1e6f : std::fabs(1.0f / dx);
  float stepY = std::fabs(dy) < 1e-6f ? 1e6f : std::fabs(1.0f / dy);
  int dirX = dx < 0 ? -1 : 1, dirY = dy < 0 ? -1 : 1;
  float nextX = (dx < 0 ? px - cellX : cellX + 1.0f - px) * stepX;
  float nextY = (dy < 0 ? py - cellY : cellY + 1.0f - py) * stepY;
  int fromValue = grid.value(cellX + 1, cellY + 1);
  bool facesY = false;
  for (int guard = 0; guard < 1024; ++guard) {
    if (nextX < nextY) {
      nextX += stepX;
      cellX += dirX;
      facesY = false;
    } else {
      nextY += stepY;
      cellY += dirY;
      facesY = true;
    }
    int value = grid.value(cellX + 1, cellY + 1);
    if (value == 0) break;
    fromValue = value;
  }
  float distance = facesY ? nextY - stepY : nextX - stepX;
  float along = facesY ? px + distance * dx : py + distance * dy;
  return {distance, along - std::floor(along), facesY, fromValue};
}
}  // namespace

MazeView::MazeView(const MazeGrid& grid)
    : grid_(grid),
      styles_{Style{texture("brick06b.bmp"), texture("floor09b.bmp"), texture("floor13b.bmp")},
              Style{texture("stone10b.bmp"), texture("fence01b.bmp"), texture("floor08b.bmp")}} {}

void MazeView::render(Image& target, const MazeCamera& camera) const {
  const int samplesAcross = 2;
  Image fine(target.width() * samplesAcross, target.height() * samplesAcross);
  renderSharp(fine, camera);
  target.draw(shrunk(fine, samplesAcross), 0, 0);
}

void MazeView::renderSharp(Image& target, const MazeCamera& camera) const {
  int width = target.width(), height = target.height();
  float scale = static_cast<float>(height) * 1.2f;  // screen height of a wall at distance 1
  float dirX = std::cos(camera.heading), dirY = std::sin(camera.heading);
  // Wider pictures than 4:3 see more to the sides, not less above and below.
  float spread = kHalfFieldOfView * static_cast<float>(width) / height * 0.75f;
  float rightX = dirY * spread, rightY = -dirX * spread;
  float horizon = height * 0.5f;
  for (int column = 0; column < width; ++column) {
    float across = 2.0f * (column + 0.5f) / width - 1.0f;
    float rayX = dirX + rightX * across, rayY = dirY + rightY * across;
    WallHit hit = castRay(grid_, camera.x, camera.y, rayX, rayY);
    float wallHeight = scale / std::max(hit.distance, 0.05f);
    float wallTop = horizon - wallHeight * 0.5f, wallBottom = horizon + wallHeight * 0.5f;
    const Style& wallStyle = styleOf(hit.fromValue);
    float shade = fog(hit.distance) * (hit.facesY ? 0.8f : 1.0f);
    for (int row = 0; row < height; ++row) {
      float centre = row + 0.5f;
      if (centre >= wallTop && centre < wallBottom) {
        float v = (centre - wallTop) / wallHeight;
        target.set(column, row, scaled(sample(wallStyle.wall, hit.along, v), shade));
        continue;
      }
      // Floor below the horizon, ceiling above: the same distance mirrored.
      float distance = scale * 0.5f / std::fabs(centre - horizon);
      float fx = camera.x + rayX * distance, fy = camera.y + rayY * distance;
      const Style& surface = styleOf(grid_.value(static_cast<int>(std::floor(fx)) + 1, static_cast<int>(std::floor(fy)) + 1));
      bool floor = centre > horizon;
      // The ceiling lies in the shadow of the walls.
      float light = fog(distance) * (floor ? 0.9f : 0.6f);
      target.set(column, row, scaled(sample(floor ? surface.floor : surface.ceiling, fx, fy), light));
    }
  }
}
