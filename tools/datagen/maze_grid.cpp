#include "tools/datagen/maze_grid.h"

#include <cstdio>
#include <deque>
#include <memory>

#include "world/level_loader.h"

MazeGrid::MazeGrid(int width, int height, GridCell start)
    : width_(width),
      height_(height),
      start_(start),
      cells_(static_cast<size_t>(width) * height, 0) {}

int MazeGrid::value(int x, int y) const {
  if (x < 1 || y < 1 || x > width_ || y > height_) return 0;
  return cells_[static_cast<size_t>(y - 1) * width_ + (x - 1)];
}

void MazeGrid::setValue(int x, int y, int value) {
  if (x >= 1 && y >= 1 && x <= width_ && y <= height_)
    cells_[static_cast<size_t>(y - 1) * width_ + (x - 1)] = value;
}

std::vector<GridCell> MazeGrid::longestShortestRoute() const {
  if (!open(start_.x, start_.y)) return {};
  std::vector<int> previous(cells_.size(), -1);
  std::vector<bool> seen(cells_.size(), false);
  auto index = [this](int x, int y) { return static_cast<size_t>(y - 1) * width_ + (x - 1); };
  std::deque<GridCell> queue{start_};
  seen[index(start_.x, start_.y)] = true;
  GridCell last = start_;
  const int steps[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  while (!queue.empty()) {
    last = queue.front();
    queue.pop_front();
    for (const auto& step : steps) {
      int nx = last.x + step[0], ny = last.y + step[1];
      if (!open(nx, ny) || seen[index(nx, ny)]) continue;
      seen[index(nx, ny)] = true;
      previous[index(nx, ny)] = static_cast<int>(index(last.x, last.y));
      queue.push_back({nx, ny});
    }
  }
  std::vector<GridCell> route;
  for (int at = static_cast<int>(index(last.x, last.y)); at >= 0;
       at = previous[static_cast<size_t>(at)])
    route.insert(route.begin(), {at % width_ + 1, at / width_ + 1});
  return route;
}

std::optional<MazeGrid> readMazeGrid(const std::string& path) {
  // Some 260 KB: on the heap rather than the stack.
  const std::unique_ptr<LevelData> level = std::make_unique<LevelData>();
  LevelData& levelData = *level;
  if (!loadLevel(levelData, path.c_str())) {
    std::fprintf(stderr, "datagen: cannot read level %s\n", path.c_str());
    return std::nullopt;
  }
  if (levelData.sizeX < 1 || levelData.sizeY < 1) {
    std::fprintf(stderr, "datagen: level %s has no usable grid\n", path.c_str());
    return std::nullopt;
  }
  MazeGrid grid(levelData.sizeX, levelData.sizeY, {levelData.startX, levelData.startY});
  for (int x = 1; x <= grid.width(); ++x)
    for (int y = 1; y <= grid.height(); ++y) grid.setValue(x, y, levelCell(levelData, x, y));
  return grid;
}
