#include "tools/datagen/intro_movie.h"

#include <algorithm>
#include <cmath>

#include "tools/datagen/avi_file.h"
#include "tools/datagen/maze_view.h"
#include "tools/datagen/title_art.h"

namespace {
constexpr float kCellsPerFrame = 0.11f;
constexpr int kNameFadeStart = 50, kNameFadeFrames = 30, kBlackoutFrames = 16;

struct Spot {
  float x, y;
};

// A walk along cell centres, parametrised by distance travelled.
class Route {
 public:
  explicit Route(const std::vector<GridCell>& cells) {
    for (const GridCell& c : cells) points_.push_back({c.x - 0.5f, c.y - 0.5f});
    if (points_.empty()) points_.push_back({0.5f, 0.5f});
  }
  float length() const { return static_cast<float>(points_.size() - 1); }
  Spot at(float s) const {
    s = std::min(std::max(s, 0.0f), length());
    size_t i = std::min(static_cast<size_t>(s), points_.size() - 1);
    size_t j = std::min(i + 1, points_.size() - 1);
    float t = s - static_cast<float>(i);
    return {points_[i].x + (points_[j].x - points_[i].x) * t, points_[i].y + (points_[j].y - points_[i].y) * t};
  }
  // The camera rounds corners: an average of the route around s, looking
  // toward an average of the route ahead.
  MazeCamera cameraAt(float s) const {
    Spot position{0.0f, 0.0f}, ahead{0.0f, 0.0f};
    const int samples = 11;
    for (int k = 0; k < samples; ++k) {
      float offset = (k - samples / 2) * 0.08f;
      Spot p = at(s + offset), q = at(s + 1.0f + offset * 2.0f);
      position = {position.x + p.x / samples, position.y + p.y / samples};
      ahead = {ahead.x + q.x / samples, ahead.y + q.y / samples};
    }
    float heading = std::atan2(ahead.y - position.y, ahead.x - position.x);
    return {position.x, position.y, heading};
  }

 private:
  std::vector<Spot> points_;
};
}  // namespace

std::vector<uint8_t> makeIntroMovie(const MazeGrid& grid) {
  Route route(grid.longestShortestRoute());
  MazeView view(grid);
  AviWriter movie(kIntroWidth, kIntroHeight, kIntroMillisecondsPerFrame * 1000);
  Image frame(kIntroWidth, kIntroHeight);
  float travel = std::min(route.length() - 1.0f, kCellsPerFrame * kIntroFrameCount);
  for (int f = 0; f < kIntroFrameCount; ++f) {
    float progress = static_cast<float>(f) / (kIntroFrameCount - 1);
    // Ease in and out so the flight starts and ends gently.
    float eased = progress * progress * (3.0f - 2.0f * progress);
    view.render(frame, route.cameraAt(eased * std::max(0.0f, travel)));
    float name = std::min(1.0f, std::max(0.0f, static_cast<float>(f - kNameFadeStart) / kNameFadeFrames));
    if (name > 0.0f) drawGameName(frame, 34, kIntroHeight / 2 + 12, name);
    int left = kIntroFrameCount - 1 - f;
    if (left < kBlackoutFrames) {
      float light = static_cast<float>(left) / kBlackoutFrames;
      for (int y = 0; y < kIntroHeight; ++y)
        for (int x = 0; x < kIntroWidth; ++x) frame.set(x, y, scaled(frame.colour(x, y), light));
    }
    movie.addFrame(frame);
  }
  return movie.finish();
}
